#pragma once

// Own systems: the bets of a saved system translated onto other numbers, number by number.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/job.h"
#include "core/state.h"
#include "tools/tool_common.h"

namespace kombitron {

// The origin system: the bets of a file (reintegros ignored) and how many bets hold each number.
struct OwnSystemOrigin {
    SharedBets bets;
    std::string path;
    NumberCounts numberBets{};  // index = number

    int64_t count() const { return bets ? bets->size() : 0; }
    // The numbers some bet uses, ascending: o1 < o2 < ... < ok.
    std::vector<uint8_t> numbers() const;
    // Bets holding the number x 100 / bets (0 without bets).
    double share(int number) const;
    // One line per used number, ascending: two digits, "-", the share with two decimals, "%".
    std::vector<std::string> shareLines() const;
    // The tooltip of a used number's cell: its share with two decimals followed by " %".
    std::string shareTooltip(int number) const;
};

struct OwnSystemOriginInputs {
    std::string path;  // the KMB reader when its extension is "KMB" (any case), else the text reader
};

struct OwnSystemOriginLoad : JobOutcome {
    OwnSystemOrigin origin;             // Done: possibly with no bets
    std::vector<std::string> warnings;  // limit notices of the reader, shown first
};

// Read the origin, check every bet holds six different numbers 1..49 and count the bets of each
// number. Failed: `failure` is the whole import error.
OwnSystemOriginLoad runLoadOwnSystemOrigin(const OwnSystemOriginInputs& inputs, Progress& progress,
                                           const StopToken& stop);

// The destination grid and the order choice.
struct OwnSystemDestination {
    NumberFlags marked{};
    bool chooseOrder = false;
    // The origin number each destination number's selector shows (index = destination number),
    // 0 for "---".
    std::array<uint8_t, 50> order{};

    int count() const;
    // The marked destination numbers, ascending.
    std::vector<uint8_t> numbers() const;
};

inline constexpr const char* kOriginAlreadyChosenError = "ERROR: Ese número del sistema ORIGEN ya esta seleccionado";
inline constexpr const char* kOwnSystemReintegroWarning =
    "AVISO: El nuevo Sistema Propio generado se creará con el REINTEGRO igual a 0.";

// Mark or unmark a destination number. An unmarked number has no selector on show, so its
// selector goes back to "---": a hidden choice must not keep that origin number from the others.
void setDestinationMarked(OwnSystemDestination& destination, int number, bool marked);
// The destination grid marked at random as the random marking does (markRandomNumbers), the
// selectors of the numbers left unmarked back to "---".
void markRandomDestination(OwnSystemDestination& destination, int k, uint64_t seed);

// Tick or clear "Elegir orden :"; either way every selector goes back to "---".
void setChooseOrder(OwnSystemDestination& destination, bool on);
// Show `origin` (0 for "---") in the selector of a destination number. Refused, with the selector
// back to "---", when another selector already shows that origin number.
std::optional<ToolNotice> chooseOrigin(OwnSystemDestination& destination, int destinationNumber, int origin);

// Origin number -> destination number (0: not mapped), and the header built from it.
struct OwnSystemMapping {
    std::array<uint8_t, 50> map{};
    std::string header;  // map[x] in two digits for x = 1..49 with map[x] set, in the order of x
};

// The checks of the save in order: bets loaded, as many destination numbers as origin numbers.
std::optional<ToolNotice> checkOwnSystem(const OwnSystemOrigin& origin, const OwnSystemDestination& destination);

// The mapping: with the order choice, each marked destination number replaces the origin number its
// selector shows, all of them chosen (else the combos error); without it the i-th destination
// number replaces the i-th origin number. Call after checkOwnSystem passed.
std::optional<ToolNotice> buildOwnSystemMapping(const OwnSystemOrigin& origin, const OwnSystemDestination& destination,
                                                OwnSystemMapping& mapping);

// Every bet with each number x replaced by map[x], sorted ascending, reintegro 0. Every number of
// the bets must be mapped.
BetList mapOwnSystem(const BetList& bets, const std::array<uint8_t, 50>& map);

// The proposed name of the save dialog: the base file's name without its extension, with ".KMB".
std::string ownSystemProposedName(const std::string& baseFileName);

struct OwnSystemSaveInputs {
    SharedBets bets;  // the origin bets
    OwnSystemMapping mapping;
    std::string path;  // with ".KMB" already applied
};

// Map the origin bets and write them with the mapping's header.
BetFileSave runSaveOwnSystem(const OwnSystemSaveInputs& inputs, Progress& progress, const StopToken& stop);

} // namespace kombitron
