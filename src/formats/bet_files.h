#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/bet.h"
#include "core/interaction.h"

namespace kombitron {

class AtomicFileWriter;

// How a bet-file read or write ended. A stop request is an outcome of its own, not a failure.
enum class BetFileStatus { Ok, Failed, Stopped };

// What a bet-file reader gives back.
struct BetFileRead {
    BetFileStatus status = BetFileStatus::Failed;
    BetList bets;                       // Ok: every bet of the file, in file order
    std::string header;                 // KMB: the deciphered header record (the marked numbers, or "0")
    std::vector<std::string> warnings;  // limit notices met on the way ("SOLO SE PUEDEN IMPORTAR ...")
    std::string failure;                // Failed: the program's whole error message
    bool ok() const { return status == BetFileStatus::Ok; }
};

// What the bet-file writer gives back.
struct BetFileWrite {
    BetFileStatus status = BetFileStatus::Failed;
    std::string description;  // Failed: what went wrong
    std::string failure;      // Failed: the program's message, "ERROR AL GUARDAR EL FICHERO (" + description + ")"
    bool ok() const { return status == BetFileStatus::Ok; }
};

// Import limit: files may hold at most every possible bet.
inline constexpr int64_t kMaxImportBets = kAllBets;
// Bets between two progress reports (and stop checks) of the readers and of the writer.
inline constexpr int64_t kReadYieldInterval = 9000;
inline constexpr int64_t kWriteYieldInterval = 6000;

// Read a KMB file: a header record, a count record and that many bet records. Failed (with the
// import error) when the file cannot be opened, a record is cut short, a count or bet record
// does not parse, or the file holds fewer records than its count promises.
BetFileRead ReadBetFileKmb(const std::string& path, Progress& progress, const StopToken& stop);
// The same on the bytes of a KMB file held in memory.
BetFileRead readBetFileKmbBytes(std::string_view bytes, Progress& progress, const StopToken& stop);

// Read a text bet file in the layout its first line shows (spaces, commas, fixed width), with or
// without reintegros. Failed at the first invalid bet with the import error naming that bet;
// stops with a warning after kMaxImportBets bets when the file holds more.
BetFileRead ReadBetFileText(const std::string& path, bool withReintegros, Progress& progress, const StopToken& stop);
// The same on the bytes of a text bet file held in memory.
BetFileRead readBetFileTextBytes(std::string_view bytes, bool withReintegros, Progress& progress,
                                 const StopToken& stop);

// True when the text after the last "." of the path, upper-cased, is "KMB".
bool isKmbPath(const std::string& path);
// Read with the reader the extension selects (KMB, otherwise text with or without reintegros).
BetFileRead readBetFile(const std::string& path, bool withReintegros, Progress& progress, const StopToken& stop);
// The same with the interaction's progress and stop flag, showing the read's warnings and failure.
BetFileRead readBetFile(const std::string& path, bool withReintegros, Interaction& ui);
// Show the warnings (warning icon) and then the failure (error icon) of a read.
void showBetFileMessages(const BetFileRead& read, Interaction& ui);

// Write bets 1..count of `bets` (count clamped to the list) as a KMB file with the given header
// ("0" when empty). The file is written beside the target and renamed over it, so a failed or
// stopped write leaves any previous file untouched.
BetFileWrite WriteBetFile(const std::string& path, const std::string& header, const BetList& bets, int64_t count,
                          Progress& progress, const StopToken& stop);
// The same bytes into a writer the caller opened and commits (a member of an AtomicFileSet, so
// the bet file changes together with the files beside it); nothing is committed here.
BetFileWrite writeBetFileTo(AtomicFileWriter& writer, const std::string& header, const BetList& bets, int64_t count,
                            Progress& progress, const StopToken& stop);

// Separator of a text bet line: ' ' when it holds a space, else ',' when it holds a comma or a
// dash, else '\0' (fixed width).
char DetectSeparator(std::string_view line);
// The line without any "*", "-", ",", "+" or space.
std::string StripSeparators(std::string_view line);

// The import error: "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (" + description + ")".
std::string importErrorMessage(const std::string& description);
// The import error of an invalid bet: the description is empty and the specific text follows a space.
std::string importValidationMessage(const std::string& specific);

} // namespace kombitron
