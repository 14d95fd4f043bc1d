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
    if (!writeFileAtomically(path, text + "\r\n", failure)) {
        ui.error("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" + failure + ")");
        return false;
    }
    if (!ui.openInEditor(path, failure)) {
        ui.error("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" + editorFailureDescription(path, failure) + ")");
        return false;
    }
    return true;
}

std::string editorFailureDescription(const std::string& path, const std::string& failure)
{
    if (failure.find(path) != std::string::npos) return failure;
    return (failure.empty() ? std::string("no se pudo abrir el editor de textos") : failure) + "; el informe está en " + path;
}

} // namespace kombitron
