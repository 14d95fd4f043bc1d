#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/draw.h"
#include "core/filter_registry.h"

namespace kombitron {

// Seven yes/no flags indexed by a hit count 0..6. No flag set: the condition is not in force.
struct HitSet {
    std::array<uint8_t, 7> flags{};
    bool any() const { for (auto f : flags) if (f) return true; return false; }
    bool has(int count) const { return count >= 0 && count <= 6 && flags[count]; }
    bool operator==(const HitSet&) const = default;
};

// Inclusive bounds of a sum or distance; [0,0] is out of force.
struct SumInterval {
    int16_t minimum = 0;
    int16_t maximum = 0;
    bool inForce() const { return minimum != 0 || maximum != 0; }
    bool operator==(const SumInterval&) const = default;
};

// Member flags of the numbers 1..49 (index 0 unused).
using NumberFlags = std::array<uint8_t, 50>;

using PercentagesTable = std::array<double, 49>; // numbers 1..49 at indices 0..48

struct ReductionOptions {
    int type = 0;          // 0 none, 1 "al 5", 2 "al 4", 3 "al 3", 4 "al 2"
    int percentage = 100;
    int32_t betCount = 1;
    int byBetCount = 0;
    int cycles = 1;
    int random = 0;
    int exactCount = 0;
    bool operator==(const ReductionOptions&) const = default;
};

// What a reduction type 0..4 stands for (any other value reads as 0, "Sin reducción"): the
// fewest hits every conditioned bet keeps with some reduced bet (6 - type; 6 for none), its
// short name in the filter list and the base file ("al 5"; "-" for none) and its caption in
// the reduction window ("Reducción al 5").
struct ReductionType {
    int minimumHits;
    const char* shortName;
    const char* caption;
};
const ReductionType& reductionType(int type);

// ---- filter parameters, one group per FilterId ----

struct AltosBajosParams { HitSet bajos, altos; bool operator==(const AltosBajosParams&) const = default; };
struct ParesImparesParams { HitSet pares; bool operator==(const ParesImparesParams&) const = default; };
struct ExterioresParams { HitSet exteriores; bool operator==(const ExterioresParams&) const = default; };
struct SuperioresParams { HitSet superiores; bool operator==(const SuperioresParams&) const = default; };

struct DecenasParams {
    std::array<HitSet, 5> decenas{};       // 1-9, 10-19, 20-29, 30-39, 40-49
    std::array<uint8_t, 10> figures{};
    bool operator==(const DecenasParams&) const = default;
};

struct SeguidosParams {
    HitSet seguidos;                       // longest run length
    std::array<uint8_t, 11> figures{};
    bool operator==(const SeguidosParams&) const = default;
};

struct TerminacionesParams {
    std::array<HitSet, 10> terminadosEn{}; // per last digit 0..9
    std::array<uint8_t, 10> figures{};
    uint8_t sumMin = 2;
    uint8_t sumMax = 53;
    bool operator==(const TerminacionesParams&) const = default;
};

struct HomologosParams { HitSet homologos; bool operator==(const HomologosParams&) const = default; };
struct ColindantesParams { HitSet colindantes; bool operator==(const ColindantesParams&) const = default; };

// Distances 1-2, 2-3, 3-4, 4-5, 5-6 and 1-6.
struct DistanciasParams {
    std::array<int16_t, 6> minimum{};
    std::array<int16_t, 6> maximum{};
    bool operator==(const DistanciasParams&) const = default;
};

struct SumasParams { std::array<SumInterval, 10> intervals{}; bool operator==(const SumasParams&) const = default; };

struct SumasPorTriosParams {
    std::array<SumInterval, 5> first{};    // sum of the first three numbers
    std::array<SumInterval, 5> last{};     // sum of the last three numbers
    bool operator==(const SumasPorTriosParams&) const = default;
};

struct PosicionesParams {
    std::array<NumberFlags, 6> allowed{};  // per ball 1..6 at indices 0..5
    bool operator==(const PosicionesParams&) const = default;
};

inline constexpr int kGroupCount = 210;

struct NumberGroup {
    NumberFlags members{};
    HitSet hits;
    std::array<uint8_t, 6> positions{1, 1, 1, 1, 1, 1};
    bool operator==(const NumberGroup&) const = default;
};

struct GruposParams {
    std::array<NumberGroup, kGroupCount> groups{};  // group g at index g-1
    bool operator==(const GruposParams&) const = default;
};

struct LimitGroup {
    NumberFlags members{};
    HitSet hits;
    bool operator==(const LimitGroup&) const = default;
};

struct GruposEntreLimitesParams {
    std::array<LimitGroup, kGroupCount> groups{};
    int32_t minimum = 0;
    int32_t maximum = kGroupCount;
    bool operator==(const GruposEntreLimitesParams&) const = default;
};

inline constexpr int kRelatedBlocks = 60;
inline constexpr int kRelatedSlots = 360;           // 6 sub-groups / conditions per block

struct GruposRelacionadosParams {
    std::array<NumberFlags, kRelatedSlots> subgroups{}; // block b, slot j at index (b-1)*6 + j-1
    std::array<HitSet, kRelatedSlots> conditions{};
    bool operator==(const GruposRelacionadosParams&) const = default;
};

inline constexpr int kPreviousDrawsGroups = 20;

struct DrawRef {
    uint16_t draw = 1;
    int16_t season = 0;
    bool operator==(const DrawRef&) const = default;
};

struct PreviousDrawsGroup {
    DrawRef sorteoDESDE;
    DrawRef sorteoHASTA;
    int16_t sorteoDIAS = 0;          // weekday code, 0 any day
    int32_t aciertosMinimoSORTEOS = 0;
    int32_t aciertosMaximoSORTEOS = 0;
    HitSet acertarEN;
    bool operator==(const PreviousDrawsGroup&) const = default;
};

struct SorteosAnterioresParams {
    DrawList draws;                  // loaded with "Cargar", draw 1 at index 0
    std::array<PreviousDrawsGroup, kPreviousDrawsGroups> groups{};
    bool operator==(const SorteosAnterioresParams&) const = default;
};

inline constexpr int kValuationConditions = 10;

struct ValoracionesParams {
    std::array<std::array<int16_t, 4>, kValuationConditions> valuationMin{}; // [condition-1][interval-1]
    std::array<std::array<int16_t, 4>, kValuationConditions> valuationMax{};
    std::array<std::array<int16_t, kValuationConditions>, 49> valuations{}; // [number-1][condition-1]
    bool operator==(const ValoracionesParams&) const = default;
};

struct CoeficienteParams {
    std::array<uint8_t, 101> ranges{};  // allowed coefficient steps 0..100
    PercentagesTable played{};
    PercentagesTable real{};
    bool operator==(const CoeficienteParams&) const = default;
};

// Default played percentages of the numbers 1..49; they add up to 600.01.
const PercentagesTable& defaultPlayedPercentages();

struct FilterParams {
    AltosBajosParams altosBajos;
    DecenasParams decenas;
    DistanciasParams distancias;
    GruposParams grupos;
    GruposRelacionadosParams gruposRelacionados;
    HomologosParams homologos;
    ParesImparesParams paresImpares;
    SeguidosParams seguidos;
    SumasParams sumas;
    TerminacionesParams terminaciones;
    PosicionesParams posiciones;
    ExterioresParams exteriores;
    SuperioresParams superiores;
    ColindantesParams colindantes;
    SorteosAnterioresParams sorteosAnteriores;
    SumasPorTriosParams sumasPorTrios;
    ValoracionesParams valoraciones;
    CoeficienteParams coeficiente;
    GruposEntreLimitesParams gruposEntreLimites;
    bool operator==(const FilterParams&) const = default;
};

// Current group / block / row shown by the windows with numbered entries.
struct EditingCursors {
    int grupos = 1;
    int gruposRelacionados = 1;
    int sorteosAnteriores = 1;
    int valoraciones = 1;
    int gruposEntreLimites = 1;
};

// The draw to scrutinise (winning combination).
struct WinningCombination {
    std::array<uint8_t, 6> numbers{};
    uint8_t complementary = 0;
    uint8_t reintegro = 0;
};

// What the player chose on the grid and selectors.
struct BaseCombination {
    GameType game = GameType::Primitiva;
    std::string gameName = "PRIMITIVA";
    std::array<uint8_t, 50> markedNumbers{};      // grid marks, index = number
    std::array<uint8_t, 10> markedReintegros{};   // index = digit
    ReintegroMode reintegroMode = ReintegroMode::Direct;
    CombinationKind kind = CombinationKind::Manual;
    bool loadReintegros = true;
    std::vector<uint8_t> baseNumbers;             // ascending, built by BuildBaseNumbers
    BetList importedBets;                         // FromFile: distinct bets in file order
    std::string importedFileName;                 // FromFile: full path
};

// The one process-wide store of the program.
struct AppState {
    BaseCombination base;

    // Stages of a calculation.
    IndexBetList totalSystem;
    std::vector<uint8_t> eliminationFlags;        // one byte per total-system bet, 1 = eliminated
    IndexBetList conditionedSystem;
    BetList finalSystem;
    BetList savingCopy;                           // copy of finalSystem while it is being saved
    bool noBetEliminated = false;
    std::array<int64_t, kFilterCount> filterEliminationCounts{};
    bool conditioningRan = false;                 // a conditioning pass has filled the counts

    // Counters shown by the main window.
    int64_t initialCount = 0;
    int64_t conditionedCount = 0;
    int64_t reducedCount = 0;

    ReductionOptions reduction;
    FilterParams filters;
    EditingCursors cursors;
    std::array<uint8_t, 50> hitSelection{};
    WinningCombination winning;

    // The filter list: 19 filter rows and the reduction row; a row is active when it begins with "Sí".
    std::array<std::string, kFilterRowCount> filterRows;

    bool savedFlag = true;
    bool saveWhenDone = false;
    std::string lastDialogPath;
    std::string baseFileName = "Sin guardar.xml"; // shown in the title
};

// baseNumbers = the marked numbers 1..49 in ascending order.
void BuildBaseNumbers(AppState& state);

// A copy of `state` for a job to work on, made without copying its large lists: the stages of
// the calculation and the imported bets are moved into the copy, leaving them empty in `state`.
// The job's result brings the copy back and the window that started it puts it in place again
// (`state = std::move(copy)`), so no window sees the job's work half done.
AppState lendState(AppState& state);

// Write the default of every reduction option and filter parameter, set the editing cursors
// to 1 and empty the previous draws. The grid, the game, the imported bets, the stage lists,
// the hit selection and the filter rows are left alone.
void ResetStateDefaults(AppState& state);
// Same, with the SORTEOS ANTERIORES seasons set to `currentYear` (for tests).
void ResetStateDefaults(AppState& state, int currentYear);

// The calendar year now, local time.
int currentYear();

// Marking on the grid: toggling a number recomputes n, initialCount = C(n,6),
// conditionedCount = initialCount and reducedCount = 0; a reintegro sets reducedCount = 0.
void setNumberMarked(AppState& state, int number, bool marked);
void setReintegroMarked(AppState& state, int digit, bool marked);
// Recompute the counters from the grid as marking does.
void recomputeCounters(AppState& state);
int markedNumberCount(const AppState& state);
int markedReintegroCount(const AppState& state);
// Select a game: gameName follows; PRIMITIVA ticks loadReintegros, BONOLOTO clears it.
void selectGame(AppState& state, GameType game);

class Interaction;
// The reintegro check run before a calculation and before saving bets (PRIMITIVA, not FromFile).
// Shows the program's message and returns false when it refuses.
bool checkReintegros(const AppState& state, Interaction& ui);

} // namespace kombitron
