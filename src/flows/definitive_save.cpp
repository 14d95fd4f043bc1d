#include "flows/definitive_save.h"

#include "core/format.h"
#include "core/paths.h"
#include "formats/base_file.h"
#include "formats/bet_files.h"

namespace kombitron {

std::string markedNumbersHeader(const AppState& state)
{
    std::string header;
    for (int v = kMinNumber; v <= kMaxNumber; ++v)
        if (state.base.markedNumbers[v]) header += formatTwoDigits(v);
    return header;
}

bool runDefinitiveSave(AppState& state, Interaction& ui)
{
    // A reduced count the final list cannot back (an import not yet calculated) has nothing to save.
    if (state.reducedCount <= 0 || state.finalSystem.size() < state.reducedCount) {
        ui.error("ERROR: No se han generado apuestas");
        return false;
    }
    if (state.base.gameName == "PRIMITIVA" && state.base.kind != CombinationKind::FromFile &&
        !checkReintegros(state, ui))
        return false;
    if (state.reducedCount > kLargeSystemThreshold &&
        !ui.question("Se han generado más de 3.000.000 de apuestas, ¿ Desea guardar ?"))
        return false;
    const std::string header = markedNumbersHeader(state);

    FileDialogRequest request;
    request.title = "Guardar Combinación";
    request.filters = parseFileFilters(kDefinitiveSaveFilters);
    const std::string& baseName = state.baseFileName;
    const size_t dot = baseName.rfind('.');
    request.initialName = (dot == std::string::npos ? baseName : baseName.substr(0, dot)) + ".KMB";
    const std::string chosen = ui.saveFileDialog(request);
    if (chosen.empty()) return false;
    state.lastDialogPath = chosen;

    const std::string path = applySaveExtension(chosen, ".KMB");
    const std::string basePath = applySaveExtension(path, ".xml");
    ui.progress().caption("Guardando por favor espere ...");
    // Both files are written beside their targets and take their places together, the bets
    // last: a failure anywhere leaves the previous pair as it was.
    std::string failure;
    AtomicFileSet files;
    AtomicFileWriter* base = files.add(basePath, failure);
    if (!base || !base->write(buildBaseFileText(state), failure)) {
        ui.error("ERROR AL GUARDAR EL FICHERO CON LA REDUCCION (" + failure + ")");
        return false;
    }
    AtomicFileWriter* bets = files.add(path, failure);
    if (!bets) {
        ui.error("ERROR AL GUARDAR EL FICHERO (" + failure + ")");
        return false;
    }
    const BetFileWrite written =
        writeBetFileTo(*bets, header, state.finalSystem, state.reducedCount, ui.progress(), ui.stopToken());
    if (written.status == BetFileStatus::Stopped) return false;
    if (!written.ok()) {
        ui.error(written.failure);
        return false;
    }
    if (!files.commit(failure)) {
        ui.error("ERROR AL GUARDAR EL FICHERO (" + failure + ")");
        return false;
    }
    state.baseFileName = fileNameOf(basePath);
    state.savedFlag = true;
    return true;
}

} // namespace kombitron
