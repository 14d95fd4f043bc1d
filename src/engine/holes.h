#pragma once

// The holes of a reduced system: the outcomes on which its best bet has fewer hits than asked,
// and their report "KOMBITRON_HUECOS.txt".

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/job.h"
#include "engine/guarantees.h"

namespace kombitron {

// At most this many holes are listed; all of them are counted.
inline constexpr int64_t kHolesListed = 100000;

inline constexpr const char* kHolesReportFileName = "KOMBITRON_HUECOS.txt";
inline constexpr const char* kHolesCaption = "Buscando huecos ...";

struct HolesInputs {
    std::vector<uint8_t> baseNumbers;       // ascending
    IndexBetList conditioned;               // base positions; the outcomes of the conditioned scopes
    BetList reduced;                        // numbers; those outside the base never hit
    GuaranteeScope scope = GuaranteeScope::Total;
    int level = 6;                          // q, 1..6: Total uses the q-sets of the base (others 6)
    int fewerThan = 3;                      // a hole's best bet has fewer hits than this
};

// One listed hole: its numbers (the first `size` entries) and the hits of its best bet.
struct Hole {
    std::array<uint8_t, 6> numbers{};
    int size = 0;
    int bestHits = 0;
};

struct HolesResult : JobOutcome {
    int64_t outcomes = 0;                   // outcomes of the scope
    int64_t holeCount = 0;                  // all the holes
    std::vector<Hole> holes;                // the first kHolesListed, in the scope's order
};

// Every hole of the scope: for Total the q-sets of the base numbers in lexicographic order, for
// the conditioned scopes the conditioned bets in their order. Worked out from which subsets of
// the base numbers lie inside some reduced bet, never by comparing an outcome with every bet.
// Reports outcomes done of the total and the caption kHolesCaption; uses every core; a stop ends
// it with nothing counted (outcome stopped). A level out of 1..6 is taken as 6; with fewerThan
// above the level every outcome is a hole, with 0 none is. Fails on a base that is not 1..49
// ascending or on a conditioned row that is not six ascending base positions.
HolesResult runHoles(const HolesInputs& inputs, Progress& progress, const StopToken& stop);

// The report: a title with the reduced system's size, the scope and level, the count of holes of
// the outcomes, then one line per listed hole, "01,02,03,04,05,06  2 aciertos". Lines end with
// CR LF.
std::string holesReportText(const HolesResult& result, const HolesInputs& inputs);

// applicationFolder()/KOMBITRON_HUECOS.txt
std::string holesReportPath();

// Write the report to holesReportPath() through a temporary file, replacing an older report;
// false with a description when it cannot be written.
bool writeHolesReport(const HolesResult& result, const HolesInputs& inputs, std::string& path, std::string& failure);

} // namespace kombitron
