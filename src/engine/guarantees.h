#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/job.h"

namespace kombitron {

// What the outcomes of a guarantee pass are: every q-set of the base numbers (Total), or every
// conditioned bet (Conditioned, or Imported when the combination came from a bet file; both
// compute the same). The values are the positions of the window's scope options.
enum class GuaranteeScope { Total = 0, Imported = 1, Conditioned = 2 };

inline constexpr int kGuaranteeUnset = 9999999;

// Counts of one pass: cases[h] outcomes whose best hit count is h; minBets[h][j] / maxBets[h][j]
// (j <= h) the fewest / most reduced bets with exactly j hits among the outcomes of class h.
struct GuaranteeStats {
    std::array<int64_t, 7> cases{};
    std::array<std::array<int64_t, 7>, 7> minBets{};
    std::array<std::array<int64_t, 7>, 7> maxBets{};
    GuaranteeStats() { reset(); }
    // cases 0, minBets 9999999, maxBets 0.
    void reset();
    bool operator==(const GuaranteeStats&) const = default;
};

// What a pass reads: the base numbers (ascending), the conditioned system as base positions
// and the reduced bets as numbers (reduced bets may hold numbers outside the base; those never
// hit an outcome).
struct GuaranteeInput {
    const std::vector<uint8_t>& baseNumbers;
    const IndexBetList& conditioned;
    const BetList& reduced;
};

// Number of outcomes of a pass: C(n, q) for Total, the conditioned bets otherwise.
int64_t guaranteeOutcomeCount(const GuaranteeInput& input, GuaranteeScope scope, int q);

// What a guarantee pass found; Stopped (with the stats reset) when a stop request ended it.
struct GuaranteePassResult : JobOutcome {
    GuaranteeStats stats;
    int level = 6;          // the hits level the pass used (6 for the conditioned scopes)
    int64_t outcomes = 0;   // T, the number of outcomes compared
};

// The guarantee pass for the scope and the hits level q (1..6; the conditioned scopes always
// use 6). Reports outcomes done of the total and the caption "Calculando garantías y
// porcentajes ..." through `progress` on the calling thread; uses every core and reads the
// stop request between blocks of outcomes. The counts are exactly those of comparing every
// outcome with every reduced bet.
GuaranteePassResult runGuaranteePass(const GuaranteeInput& input, GuaranteeScope scope, int q, Progress& progress,
                                     const StopToken& stop);

// The texts the window shows after a pass at level q (rows h <= q are shown).
struct GuaranteeTable {
    int level = 6;
    std::array<std::string, 7> countText;                   // cases[h] as a plain integer
    std::array<std::string, 7> percentText;                 // "000.000% h si q", cumulative
    std::array<std::array<std::string, 7>, 7> rangeText;    // [h][j] "min-max"; empty cells for empty classes
    bool shown(int h) const { return h <= level; }
    bool operator==(const GuaranteeTable&) const = default;
};

// A table with every cell empty, as the window clears it (level q).
GuaranteeTable emptyGuaranteeTable(int q);

// Publish the stats of a pass over T outcomes at level q.
GuaranteeTable publishGuarantees(const GuaranteeStats& stats, int64_t outcomes, int q);
// Publish a completed pass at its own level.
inline GuaranteeTable publishGuarantees(const GuaranteePassResult& pass)
{
    return publishGuarantees(pass.stats, pass.outcomes, pass.level);
}

// The summary `txtResumen`: one line per shown row, h = 6..0, each ended by a line break.
std::string guaranteeSummaryText(const GuaranteeTable& table);

// The tabulated report text of the shown rows (without the file's final line break).
std::string guaranteeReportText(const GuaranteeTable& table);

// The extended guarantees ("DETALLE DE MINI GARANTIAS"): for i = 2..6 and j = i..2 the share of
// the i-sets of base numbers for which some reduced bet holds at least j of them. A stop ends
// them Stopped, and the whole text is then the stopped text.
struct ExtendedGuaranteesResult : JobOutcome {
    std::string text;
};
ExtendedGuaranteesResult extendedGuarantees(const GuaranteeInput& input, Progress& progress, const StopToken& stop);

inline constexpr const char* kGuaranteeCaption = "Calculando garantías y porcentajes ...";
inline constexpr const char* kGuaranteesStoppedText = "Proceso de cálculo de porcentajes/garantías detenido";
inline constexpr const char* kExtendedStoppedText = "Proceso de cálculo de mini garantías detenido";

} // namespace kombitron
