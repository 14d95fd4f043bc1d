#include "flows/scrutiny_flows.h"

#include "core/paths.h"
#include "flows/scrutiny_report.h"
#include "formats/bet_files.h"
#include "flows/import.h"

namespace kombitron {

FileDialogRequest betFileDialog()
{
    FileDialogRequest request;
    request.title = "Abrir Fichero";
    request.filters = parseFileFilters(kImportFilters);
    request.filterIndex = 2;
    return request;
}

ScrutinyFileLoad loadScrutinyFile(const std::string& path, bool loadReintegros, Interaction& ui)
{
    ScrutinyFileLoad load;
    load.chosen = true;
    load.path = path;
    load.fileName = fileNameOf(path);
    const bool kmb = isKmbPath(path);
    BetFileRead read = readBetFile(path, loadReintegros, ui.progress(), ui.stopToken());
    if (read.status == BetFileStatus::Stopped) return load;
    showBetFileMessages(read, ui);
    if (read.ok()) {
        if (kmb && !loadReintegros) {
            // The file's reintegros are not loaded: every bet plays reintegro 0, as the notice says.
            for (int64_t i = 1; i <= read.bets.size(); ++i) read.bets.at(i, 7) = 0;
            ui.warning(kKmbWithoutReintegrosWarning);
        }
        load.bets = std::make_shared<BetList>(std::move(read.bets));
    }
    if (load.count() == 0) ui.warning(kNoBetsImportedWarning);
    return load;
}

ScrutinyFileLoad openScrutinyFile(bool loadReintegros, Interaction& ui)
{
    const std::string path = ui.openFileDialog(betFileDialog());
    if (path.empty()) return {};
    return loadScrutinyFile(path, loadReintegros, ui);
}

ScrutinyResult runScrutinyFlow(const ScrutinyInputs& inputs, Interaction& ui)
{
    ScrutinyResult result = RunScrutiny(inputs, ui.progress(), ui.stopToken());
    if (result.refused) ui.warning(kComplementaryRepeatedWarning);
    if (result.failed()) ui.error("ERROR: " + result.failure);
    return result;
}

ScrutinyResult WritePrizedTicketsReport(const ScrutinyInputs& inputs, Interaction& ui)
{
    ScrutinyResult result = runScrutinyFlow(inputs, ui);
    if (!result.done() || result.refused) return result;
    static const BetList kNoBets;
    const BetList& bets = inputs.bets ? *inputs.bets : kNoBets;
    writeScrutinyReport(kPrizedTicketsFileName,
                        prizedTicketsReport(bets, result.hitsPerBet, inputs.winning.complementary), ui);
    return result;
}

PrizeConsultation consultPrizesFlow(const std::string& game, const DrawDateBoxes& date, const PrizesFetch& fetch,
                                    Interaction& ui)
{
    PrizeConsultation consultation = consultPrizesByDate(game, date, fetch);
    if (!consultation.message.empty()) ui.error(consultation.message);
    return consultation;
}

bool showPrizeSummaryReport(const PrizeSummaryInputs& inputs, Interaction& ui)
{
    if (prizeSummaryFieldsMissing(inputs)) {
        ui.error(kMissingReportFieldError);
        return false;
    }
    return writeScrutinyReport(kPrizeSummaryFileName, prizeSummaryReport(inputs), ui);
}

} // namespace kombitron
