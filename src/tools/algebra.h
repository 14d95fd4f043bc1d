#pragma once

// The algebra of systems: system 1 sorted, the direct sum, the sum without repeated bets, the
// intersection and the difference of two loaded systems.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/job.h"
#include "tools/tool_common.h"

namespace kombitron {

// The operations, numbered as their option buttons.
enum class AlgebraOperation : uint8_t { Sort = 0, DirectSum = 1, Union = 2, Intersection = 3, Difference = 4 };

// The caption of an operation's option button ("Ordenar sistema 1:", "Sumar Sistemas (directo)", ...).
const char* algebraOperationCaption(AlgebraOperation operation);
// The order of the sort as its selector shows it: "Ascendente" or "Descendente".
const char* sortOrderText(bool descending);

// A loaded system: its bets (each sorted, reintegro 0, duplicates kept) and how often each
// number occurs in them.
struct AlgebraSystem {
    SharedBets bets;
    std::string path;
    NumberCounts numberCounts{};  // index = number

    int64_t count() const { return bets ? bets->size() : 0; }
    // How many numbers occur in some bet (the count beside the system's grid).
    int usedNumbers() const;
};

// The algebra picks its reader from the three characters after the last "." of the path: "KMB"
// in any case selects the KMB reader, anything else the text reader without reintegros.
bool algebraReadsKmb(const std::string& path);

struct AlgebraSystemInputs {
    std::string path;
};

struct AlgebraSystemLoad : JobOutcome {
    AlgebraSystem system;               // Done: possibly with no bets
    std::vector<std::string> warnings;  // limit notices of the reader, shown first
};

// Read a system, sort every bet, check it holds six different numbers 1..49 and count the
// numbers. Failed: `failure` is the whole import error.
AlgebraSystemLoad runLoadAlgebraSystem(const AlgebraSystemInputs& inputs, Progress& progress, const StopToken& stop);

// The checks of "Calcular": system 1 loaded, and system 2 for every operation but the sort.
std::optional<ToolNotice> checkAlgebra(AlgebraOperation operation, int64_t count1, int64_t count2);

struct AlgebraInputs {
    AlgebraOperation operation = AlgebraOperation::Sort;
    bool descending = false;  // the sort's order
    SharedBets system1;
    SharedBets system2;
};

struct AlgebraResult : JobOutcome {
    SharedBets bets;   // Done: the result system, reintegro 0
    std::string text;  // Done: the results text
};

// Run an operation. The sort orders system 1 by combination rank keeping duplicates; the direct
// sum puts system 2 after system 1; the sum without repeated bets, the intersection and the
// difference go through a presence set of ranks and come out in ascending rank order, each bet
// once.
AlgebraResult runAlgebra(const AlgebraInputs& inputs, Progress& progress, const StopToken& stop);

// The results text of an operation (every line ended by CR LF, counts in "#,#,0"): n1 and n2 the
// bets of the two systems, n the bets of the result.
std::string algebraResultsText(AlgebraOperation operation, bool descending, int64_t count1, int64_t count2,
                               int64_t resultCount);

// The checks of "Guardar apuestas": a result computed (its text not empty), with bets.
std::optional<ToolNotice> checkAlgebraSave(const std::string& resultsText, int64_t resultCount);
inline constexpr const char* kAlgebraProposedName = "singuardar.KMB";
// The header record of a saved result: there is no base combination.
inline constexpr const char* kAlgebraHeader = "0";

// Sort ranks 1..13,983,816 ascending in place (a radix sort; the same order as SortAscending).
void sortRanksAscending(std::vector<int32_t>& ranks);
// The combinations of ascending ranks into bets (reintegro 0), forwards or from the last bet back.
void betsFromAscendingRanks(const std::vector<int32_t>& ranks, BetList& bets, bool reversed);

} // namespace kombitron
