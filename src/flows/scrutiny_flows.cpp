#include "flows/scrutiny_flows.h"

#include "core/paths.h"
#include "flows/scrutiny_report.h"
#include "formats/bet_files.h"
#include "flows/import.h"

namespace kombitron {

FileDialogRequest BetFileDialog()
{
    FileDialogRequest request;
    request.title = "Abrir Fichero";
    request.filters = parseFileFilters(kImportFilters);
    request.filterIndex = 2;
    return request;
}

ScrutinyFileLoad LoadScrutinyFile(const std::string& path, bool loadReintegros, Interaction& ui)
{
    ScrutinyFileLoad load;
    load.chosen = true;
    load.path = path;
    load.fileName = fileNameOf(path);
    const bool kmb = IsKmbPath(path);
    BetFileRead read = ReadBetFile(path, loadReintegros, ui.progress(), ui.stopToken());
    if (read.status == BetFileStatus::Stopped) return load;
    ShowBetFileMessages(read, ui);
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

ScrutinyFileLoad OpenScrutinyFile(bool loadReintegros, Interaction& ui)
{
    const std::string path = ui.openFileDialog(BetFileDialog());
    if (path.empty()) return {};
    return LoadScrutinyFile(path, loadReintegros, ui);
}

ScrutinyResult RunScrutinyFlow(const ScrutinyInputs& inputs, Interaction& ui)
{
    ScrutinyResult result = RunScrutiny(inputs, ui.progress(), ui.stopToken());
    if (result.refused) ui.warning(kComplementaryRepeatedWarning);
    if (result.failed()) ui.error("ERROR: " + result.failure);
    return result;
}

ScrutinyResult WritePrizedTicketsReport(const ScrutinyInputs& inputs, Interaction& ui)
{
    ScrutinyResult result = RunScrutinyFlow(inputs, ui);
    if (!result.done() || result.refused) return result;
    static const BetList kNoBets;
    const BetList& bets = inputs.bets ? *inputs.bets : kNoBets;
    WriteScrutinyReport(kPrizedTicketsFileName,
                        PrizedTicketsReport(bets, result.hitsPerBet, inputs.winning.complementary), ui);
    return result;
}

PrizeConsultation ConsultPrizesFlow(const std::string& game, const DrawDateBoxes& date, const PrizesFetch& fetch,
                                    Interaction& ui)
{
    PrizeConsultation consultation = ConsultPrizesByDate(game, date, fetch);
    if (!consultation.message.empty()) ui.error(consultation.message);
    return consultation;
}

bool ShowPrizeSummaryReport(const PrizeSummaryInputs& inputs, Interaction& ui)
{
    if (PrizeSummaryFieldsMissing(inputs)) {
        ui.error(kMissingReportFieldError);
        return false;
    }
    return WriteScrutinyReport(kPrizeSummaryFileName, PrizeSummaryReport(inputs), ui);
}

} // namespace kombitron
