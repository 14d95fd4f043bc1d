#include "flows/base_file_dialogs.h"

#include "core/interaction.h"
#include "core/paths.h"
#include "core/text.h"
#include "formats/base_file.h"

namespace kombitron {

bool SaveBaseFileDialog(AppState& state, Interaction& ui)
{
    FileDialogRequest request;
    request.title = "Guardar Fichero BASE en XML";
    request.filters = parseFileFilters(kBaseFileFilters);
    request.initialName = state.baseFileName;
    const std::string chosen = ui.saveFileDialog(request);
    if (chosen.empty()) return false;
    state.lastDialogPath = chosen;
    std::string failure;
    if (!WriteBaseFile(state, applySaveExtension(chosen, ".xml"), failure)) {
        ui.error("ERROR AL GUARDAR EL FICHERO EN XML");
        return false;
    }
    return true;
}

bool OpenBaseFileDialog(AppState& state, Interaction& ui)
{
    FileDialogRequest request;
    request.title = "Abrir Fichero BASE en XML";
    request.filters = parseFileFilters(kBaseFileFilters);
    const std::string chosen = ui.openFileDialog(request);
    if (trimmed(chosen).empty()) return false;
    state.lastDialogPath = chosen;
    ReadBaseFile(state, chosen, ui);
    return true;
}

} // namespace kombitron
