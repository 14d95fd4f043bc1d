#include "filters/filter_fixture.h"

#include "engine/generation.h"

namespace kombitron::test {

AppState enumeratedState(const std::vector<int>& numbers)
{
    AppState state;
    ResetStateDefaults(state, 2024);
    for (int n : numbers) setNumberMarked(state, n, true);
    BuildBaseNumbers(state);
    const int64_t total = EnumerateSubsets(state, 6);
    state.eliminationFlags.assign(static_cast<size_t>(total), 0);
    return state;
}

AppState betsState(const std::vector<Six>& bets)
{
    AppState state;
    ResetStateDefaults(state, 2024);
    for (int n = 1; n <= 49; ++n) setNumberMarked(state, n, true);
    BuildBaseNumbers(state);
    state.totalSystem.resize(static_cast<int64_t>(bets.size()));
    for (size_t i = 0; i < bets.size(); ++i) {
        uint8_t* b = state.totalSystem.bet(static_cast<int64_t>(i) + 1);
        for (int k = 0; k < 6; ++k) b[k] = bets[i][k];
        b[6] = 0;
    }
    state.eliminationFlags.assign(bets.size(), 0);
    return state;
}

std::vector<int> firstNumbers(int n)
{
    std::vector<int> v;
    for (int i = 1; i <= n; ++i) v.push_back(i);
    return v;
}

Six numbersOf(const AppState& state, int64_t i)
{
    Six six{};
    const uint8_t* b = state.totalSystem.bet(i);
    for (int k = 0; k < 6; ++k) six[k] = state.base.baseNumbers[b[k] - 1];
    return six;
}

std::vector<Six> survivors(const AppState& state)
{
    std::vector<Six> out;
    for (int64_t i = 1; i <= state.totalSystem.size(); ++i)
        if (!state.eliminationFlags[i - 1]) out.push_back(numbersOf(state, i));
    return out;
}

bool alive(const AppState& state, int64_t i) { return state.eliminationFlags[i - 1] == 0; }

int64_t runFilter(FilterPassFunction pass, AppState& state)
{
    Progress progress;
    return pass(state, progress, {});
}

HitSet hits(std::initializer_list<int> counts)
{
    HitSet set;
    for (int c : counts) set.flags[c] = 1;
    return set;
}

NumberFlags numberSet(std::initializer_list<int> numbers)
{
    NumberFlags flags{};
    for (int n : numbers) flags[n] = 1;
    return flags;
}

NumberFlags numberRange(int first, int last)
{
    NumberFlags flags{};
    for (int n = first; n <= last; ++n) flags[n] = 1;
    return flags;
}

} // namespace kombitron::test
