#include "core/report_file.h"

#include "core/interaction.h"
#include "core/paths.h"

namespace kombitron {

std::string reportPath(const std::string& fileName)
{
    std::string folder = applicationFolder();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + fileName;
}

bool writeAndOpenReport(const std::string& fileName, const std::string& text, Interaction& ui)
{
    const std::string path = reportPath(fileName);
    std::string failure;
    if (!writeFileAtomically(path, text + "\r\n", failure) || !ui.openInEditor(path, failure)) {
        ui.error("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" + failure + ")");
        return false;
    }
    return true;
}

} // namespace kombitron
