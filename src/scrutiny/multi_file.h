#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/job.h"
#include "scrutiny/hit_count.h"
#include "scrutiny/scrutiny.h"

namespace kombitron {

inline constexpr int kMaxFilesPerSelection = 1000;
inline constexpr int64_t kMaxWinningCombinations = 999999;
inline constexpr const char* kMultiFileSummaryFileName = "KOMBITRON_RESUMENPREMIOS.txt";
inline constexpr const char* kTooManyFilesWarning = "SOLO SE PERMITEN CARGAR 1000 FICHEROS PARA ESCRUTAR";
inline constexpr const char* kNoWinningFileError = "ERROR: No hay Fichero de SORTEOS cargado para escrutar";
inline constexpr const char* kTooManyWinningError =
    "ERROR: El Fichero de SORTEOS tienes más de 999.999 apuestas que es el máximo permitido para ser escrutado";
inline constexpr const char* kNoBetFilesWarning = "NO HAY NINGUN FICHERO CARGADO PARA ESCRUTAR";
inline constexpr const char* kNoSelectedFileWarning = "DEBE SELECCIONAR UN FICHERO DE LA LISTA PARA ELIMINARLO";
inline constexpr const char* kEmptyFileListQuestion = "¿ ESTA SEGURO QUE QUIERE BORRAR TODA LA LISTA DE FICHEROS ?";
inline constexpr const char* kNoSummaryWarning = "NO SE HA GENERADO TODAVIA NINGUN INFORME";
inline constexpr const char* kMultiFileCloseQuestion = "Se perderán todos los cálculos, ¿ SEGURO QUE DESEAS VOLVER ? ";
inline constexpr const char* kMultiFileSummaryHeader =
    "FICHERO                    APUESTAS   DE6       DE5       DE4       DE3       DE2       DE1       DE0\r\n";
inline constexpr const char* kIdleStatus = "Ventana de estado : -";

// Add the files of one selection of the open dialog to the list, in the order given. A
// selection of more than 1000 files adds none and gives false (the 1000-file warning).
bool addSelectedFiles(std::vector<std::string>& list, const std::vector<std::string>& selection);

// Name of the detailed report of file `file` (1-based): KOMBITRON_DETALLEPREMIOS_FICHEROf.txt.
std::string detailReportFileName(int file);

// Status texts: "Ventana de estado : Importando fichero f" and "... Escrutando fichero f"; the
// waiting panel's title "Escrutando Fichero f (m Apu.)".
std::string readingStatus(int file);
std::string scrutinisingStatus(int file);
std::string scrutinisingPanelTitle(int file, int64_t bets);

// The refusal of a run, in the order the checks go: no winning combinations, too many of them,
// no bet file. Empty when the run may start; `isError` tells an error from a warning.
std::string multiFileRefusal(int64_t winningCount, size_t fileCount, bool& isError);

// "Detener el proceso" of the multi-file run: a press ends the file being scrutinised at that
// moment, and the run goes on with the next file. Presses while a file is being read count for
// no file. Thread-safe.
class FileStopButton {
public:
    void press() { presses_.fetch_add(1, std::memory_order_relaxed); }
    uint64_t presses() const { return presses_.load(std::memory_order_relaxed); }

private:
    std::atomic<uint64_t> presses_{0};
};

// Events of the run. The defaults give the status texts as captions; report(k, c) is the
// panel's bar over the c combinations of the current file.
class MultiFileProgress : public Progress {
public:
    virtual void fileReading(int file) { caption(readingStatus(file)); }
    virtual void fileScrutinising(int file, int64_t bets) { (void)bets; caption(scrutinisingStatus(file)); }
    virtual void fileFinished(int file) { (void)file; caption(kIdleStatus); }
};

struct MultiFileInputs {
    std::vector<std::string> files;            // bet files in list order
    SharedBets winning;                        // the winning combinations (six numbers each)
    bool detailed = false;                     // chkTipoListadoPremios
    std::string reportFolder;                  // where detailed reports go; empty: the application folder
    bool keepDetailTexts = false;              // also hand the detailed texts back (the command line)
    const FileStopButton* fileStop = nullptr;  // optional: ends the current file only
    std::optional<BetFileCounter::Method> method; // the counting to use; none: the cheaper one
};

enum class FileOutcome { Scrutinised, Unreadable, Stopped, NotReached };

struct MultiFileEntry {
    std::string path;
    int64_t bets = 0;
    FileOutcome outcome = FileOutcome::NotReached;
    std::array<int64_t, 7> totals{};           // bets by hits 0..6 over every combination
    std::vector<std::string> readWarnings;     // the reader's notices, in order
    std::string readFailure;                   // the reader's error, empty when none
    std::string detailPath;                    // detailed mode: the report written
    std::string detailFailure;                 // detailed mode: why it could not be written
    std::string detailText;                    // with keepDetailTexts
};

struct MultiFileResult : JobOutcome {
    std::string summary;                       // txtInforme
    std::vector<MultiFileEntry> files;         // one per input file, in order
};

// The run over the file list ("Escrutar"): each file read (KMB by extension, else text without
// reintegros), counted against every winning combination, its lines added to the summary and,
// in detailed mode, its report written. A press of the file stop ends only the current file; the
// run's own stop ends the run (the summary then holds the files done). Refused runs fail with
// the refusal's text.
MultiFileResult runMultiFileScrutiny(const MultiFileInputs& inputs, MultiFileProgress& progress, const StopToken& stop);

// One detailed line: "000001. 01,02,03,04,05,06 = " and for 6 down to 0 the count in a field of
// seven followed by three spaces; wider counts widen the field. Ends with CR LF.
std::string detailLine(int64_t index, const uint8_t* combination, const std::array<int64_t, 7>& hits);

} // namespace kombitron
