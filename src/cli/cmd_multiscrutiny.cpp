#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "flows/multi_scrutiny_flows.h"

namespace kombitron::cli {

namespace {

struct MultiScrutinyOptions {
    std::string winning;
    std::vector<std::string> files;
    bool detailed = false;
};

// The detailed reports are written where the run puts them and printed from there; a folder of
// our own keeps them from landing beside the program.
class ReportFolder {
public:
    ReportFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kombitron-multiXXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ReportFolder()
    {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    ReportFolder(const ReportFolder&) = delete;
    ReportFolder& operator=(const ReportFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

int runMultiScrutiny(const MultiScrutinyOptions& o)
{
    TerminalInteraction ui;
    const ScrutinyFileLoad winning = loadWinningCombinations(o.winning, ui);
    if (ui.errorShown) return kExitRefused;

    // The files of the command line are one selection of the open dialog.
    MultiFileInputs inputs;
    if (!addBetFilesFlow(inputs.files, o.files, ui)) return kExitRefused;
    inputs.winning = winning.bets;
    inputs.detailed = o.detailed;
    inputs.keepDetailTexts = o.detailed;
    ReportFolder folder;
    if (o.detailed) {
        if (folder.path().empty()) {
            ui.error("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (no se puede crear una carpeta temporal)");
            return kExitRefused;
        }
        inputs.reportFolder = folder.path();
    }

    MultiFileProgress progress;
    const MultiFileResult result = runMultiFileFlow(inputs, progress, ui);
    if (!result.done()) return kExitRefused;
    // An unreadable file is a line of the summary, not the end of the run.
    writeOut(result.summary);
    if (o.detailed)
        for (const MultiFileEntry& entry : result.files) writeOut(entry.detailText);
    return kExitDone;
}

} // namespace

void addMultiScrutinyCommand(CommandLine& cli)
{
    auto o = std::make_shared<MultiScrutinyOptions>();
    CLI::App& command = cli.add("multiscrutiny",
                                "Escruta hasta 1000 ficheros de apuestas contra las combinaciones ganadoras de WINNING "
                                "y muestra el informe resumen como la ventana MultiEscrutinio MultiFichero",
                                [o] { return runMultiScrutiny(*o); });
    command.add_option("--sorteos", o->winning, "Fichero de texto con las combinaciones ganadoras")
        ->required()
        ->type_name("WINNING");
    command.add_option("FILE", o->files, "Ficheros de apuestas (KMB, o de texto), en este orden")->required();
    command.add_flag("--detailed", o->detailed,
                     "Listado detallado: después, fichero a fichero, KOMBITRON_DETALLEPREMIOS_FICHEROf.txt");
}

} // namespace kombitron::cli
