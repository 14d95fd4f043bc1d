#include "core/state.h"

#include <ctime>

#include "core/interaction.h"

namespace kombitron {

const PercentagesTable& defaultPlayedPercentages()
{
    static const PercentagesTable table = {
        12.6,  11.87, 14.59, 12.66, 13.96, 12.27, 15.73,
        12.9,  13.25, 11.89, 13.41, 13.36, 14.56, 12.46,
        13.59, 11.15, 12.36, 12.12, 11.84, 10.6,  12.58,
        12.59, 14.28, 12.76, 14.1,  12.15, 12.67, 11.87,
        11.71, 10.63, 11.9,  12.02, 12.98, 11.65, 11.29,
        12.25, 10.81, 11.04, 11.06, 9.92,  11.07, 11.53,
        11,    11.34, 11.93, 10.44, 12.51, 11.71, 11.05,
    };
    return table;
}

const ReductionType& reductionType(int type)
{
    static constexpr ReductionType kTypes[5] = {
        {6, "-", "Sin reducción"},
        {5, "al 5", "Reducción al 5"},
        {4, "al 4", "Reducción al 4"},
        {3, "al 3", "Reducción al 3"},
        {2, "al 2", "Reducción al 2"},
    };
    return kTypes[type >= 1 && type <= 4 ? type : 0];
}

void BuildBaseNumbers(AppState& state)
{
    state.base.baseNumbers.clear();
    for (int v = kMinNumber; v <= kMaxNumber; ++v)
        if (state.base.markedNumbers[v]) state.base.baseNumbers.push_back(static_cast<uint8_t>(v));
}

AppState lendState(AppState& state)
{
    IndexBetList total = std::move(state.totalSystem);
    std::vector<uint8_t> flags = std::move(state.eliminationFlags);
    IndexBetList conditioned = std::move(state.conditionedSystem);
    BetList final = std::move(state.finalSystem);
    BetList saving = std::move(state.savingCopy);
    BetList imported = std::move(state.base.importedBets);
    // Moved-from lists are valid but unspecified: make them plainly empty.
    state.totalSystem.clear();
    state.eliminationFlags.clear();
    state.conditionedSystem.clear();
    state.finalSystem.clear();
    state.savingCopy.clear();
    state.base.importedBets.clear();
    AppState work = state;
    work.totalSystem = std::move(total);
    work.eliminationFlags = std::move(flags);
    work.conditionedSystem = std::move(conditioned);
    work.finalSystem = std::move(final);
    work.savingCopy = std::move(saving);
    work.base.importedBets = std::move(imported);
    return work;
}

int currentYear()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

void ResetStateDefaults(AppState& state) { ResetStateDefaults(state, currentYear()); }

void ResetStateDefaults(AppState& state, int year)
{
    state.reduction = ReductionOptions{};
    state.filters = FilterParams{};
    state.filters.coeficiente.played = defaultPlayedPercentages();
    state.filters.coeficiente.real.fill(12.25);
    for (auto& group : state.filters.sorteosAnteriores.groups) {
        group.sorteoDESDE = {1, static_cast<int16_t>(year)};
        group.sorteoHASTA = {1, static_cast<int16_t>(year)};
    }
    state.cursors = EditingCursors{};
}

int markedNumberCount(const AppState& state)
{
    int n = 0;
    for (int v = kMinNumber; v <= kMaxNumber; ++v) n += state.base.markedNumbers[v] ? 1 : 0;
    return n;
}

int markedReintegroCount(const AppState& state)
{
    int m = 0;
    for (auto r : state.base.markedReintegros) m += r ? 1 : 0;
    return m;
}

void recomputeCounters(AppState& state)
{
    state.initialCount = combinationCount(markedNumberCount(state), 6);
    state.conditionedCount = state.initialCount;
    state.reducedCount = 0;
}

void setNumberMarked(AppState& state, int number, bool marked)
{
    if (number < kMinNumber || number > kMaxNumber) return;
    state.base.markedNumbers[number] = marked ? 1 : 0;
    recomputeCounters(state);
}

void setReintegroMarked(AppState& state, int digit, bool marked)
{
    if (digit < 0 || digit > kMaxReintegro) return;
    state.base.markedReintegros[digit] = marked ? 1 : 0;
    state.reducedCount = 0;
}

void selectGame(AppState& state, GameType game)
{
    state.base.game = game;
    state.base.gameName = gameName(game);
    state.base.loadReintegros = game == GameType::Primitiva;
}

bool checkReintegros(const AppState& state, Interaction& ui)
{
    const int m = markedReintegroCount(state);
    if (m == 0) {
        ui.warning("AVISO: Hay que seleccionar mínimo 1 reintegro");
        return false;
    }
    if (state.base.reintegroMode == ReintegroMode::Direct && m >= 2) {
        ui.error("ERROR: Con el tipo de Reintegro 'Al directo' sólo se puede seleccionar 1 reintegro");
        return false;
    }
    return true;
}

} // namespace kombitron
