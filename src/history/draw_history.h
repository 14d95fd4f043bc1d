#pragma once

#include <cstdint>
#include <string>

#include "core/draw.h"
#include "history/service_client.h"

namespace kombitron {

class Interaction;

// Most draws a history holds (the number of 6-number combinations of 49).
inline constexpr int64_t kDrawHistoryCap = 13983816;
// Shortest line that holds a draw; shorter lines are skipped.
inline constexpr size_t kShortestHistoryLine = 25;
inline constexpr const char* kDefaultHistoryFileName = "estadisticas_local.txt";

// The draws of a history file as the statistics window holds them.
struct DrawHistory {
    std::string fileName;        // path in the file box; kept after a failed load
    DrawList draws;              // file order, draw 1 at index 0; complementary and reintegro stay 0
    // Season and draw number of the first and last draw as written in the file, "-" when empty.
    std::string firstSeason = "-", firstDraw = "-", lastSeason = "-", lastDraw = "-";

    int64_t count() const { return static_cast<int64_t>(draws.size()); }
};

enum class HistoryLoadStatus {
    Loaded,          // every line read
    Capped,          // stopped at the cap; the draws read stay loaded
    NothingImported, // no line of 25 characters or more
    Failed           // bad value or field, unreadable file; the history is empty
};

struct HistoryLoadResult {
    HistoryLoadStatus status = HistoryLoadStatus::Loaded;
    int64_t count = 0;
    std::string description;     // of a failure ("" for a number out of range)
};

// Replace `history` with the draws of the file at `path`. Shows the cap warning, the zero-import
// warning or the import error through `ui`; after a failure or nothing imported the history is
// empty but keeps the path. Reports the running count through ui.progress() every 3,000 draws.
HistoryLoadResult LoadDrawHistory(DrawHistory& history, const std::string& path, Interaction& ui,
                                  int64_t cap = kDrawHistoryCap);

// Empty the history: no file, no draws, span "-".
void ClearDrawHistory(DrawHistory& history);

// applicationFolder() + "/estadisticas_local.txt".
std::string defaultHistoryFile();

// Seasons a draw of the results service may carry.
inline constexpr int kFirstDrawSeason = 1900;
inline constexpr int kLastDrawSeason = 9999;

// Whether a draw of the service is one the history may hold: six distinct numbers 1..49, a
// complementary 0..49, a reintegro 0..9, a season within kFirstDrawSeason..kLastDrawSeason, a
// draw number from 1 and a known weekday. False with a description naming the draw otherwise.
bool checkDrawRecord(const DrawRecord& draw, std::string& failure);

// One line of the file as the update writes it, "05,11,23,31,40,47,09,03 2010 1 J" (no line end);
// false with a description when the weekday is none of the seven.
bool formatHistoryLine(const DrawRecord& draw, std::string& line, std::string& failure);

struct HistoryUpdateOptions {
    ServiceOptions service = defaultServiceOptions();
    std::string defaultFile;     // file created when none is loaded; empty: defaultHistoryFile()
};

enum class HistoryUpdateStatus {
    Updated,     // file rewritten and reloaded
    Declined,    // a question was answered No; nothing written
    ParseFailed, // response not well-formed; nothing written
    NoDraws,     // response without draws of the game; nothing written
    Failed       // transport, conversion or write failure; the old file is intact
};

struct HistoryUpdateResult {
    HistoryUpdateStatus status = HistoryUpdateStatus::Updated;
    int64_t written = 0;         // draws written
    std::string fileName;        // file written
};

// Fetch every draw of `game` and rewrite the loaded history file (or the default one) with
// them, asking first, then reload it. Every draw is checked with checkDrawRecord before the file
// is touched; one bad draw ends the update as Failed with the conversion error. Every outcome is shown through `ui`; the new file is
// written beside the old one and renamed over it only when complete.
HistoryUpdateResult UpdateDrawHistory(DrawHistory& history, const std::string& game, Interaction& ui,
                                      const HistoryUpdateOptions& options = {});

// The same flow with the service's answer already fetched (the windows fetch off the UI thread).
HistoryUpdateResult applyDrawHistoryUpdate(DrawHistory& history, const std::string& game,
                                           const ServiceDrawsResult& fetched, Interaction& ui,
                                           const HistoryUpdateOptions& options = {});

} // namespace kombitron
