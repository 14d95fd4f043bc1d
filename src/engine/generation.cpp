#include "engine/generation.h"

#include <algorithm>
#include <cstring>

#include "core/interaction.h"
#include "core/random.h"
#include "core/text.h"

namespace kombitron {

int64_t EnumerateSubsets(AppState& state, int k)
{
    const int n = static_cast<int>(state.base.baseNumbers.size());
    const int64_t total = (k >= 1 && k <= 6) ? combinationCount(n, k) : 0;
    state.totalSystem.resize(total);
    if (total == 0) return 0;

    // Odometer over ascending position tuples: the last position moves fastest.
    uint8_t p[7];
    for (int j = 0; j < 7; ++j) p[j] = j < k ? static_cast<uint8_t>(j + 1) : kUnusedPosition;
    uint8_t* out = state.totalSystem.data();
    for (int64_t i = 0; i < total; ++i) {
        std::memcpy(out, p, 7);
        out += kBetBytes;
        int j = k - 1;
        while (j >= 0 && p[j] == n - (k - 1 - j)) --j;
        if (j < 0) break;
        ++p[j];
        for (int t = j + 1; t < k; ++t) p[t] = static_cast<uint8_t>(p[t - 1] + 1);
    }
    // Row 7 of a generated system carries no reintegro.
    if (k == 6) {
        uint8_t* b = state.totalSystem.data();
        for (int64_t i = 0; i < total; ++i) b[i * kBetBytes + 6] = 0;
    }
    return total;
}

bool BuildTotalFromImport(AppState& state, Interaction& ui)
{
    if (trimmed(state.base.importedFileName, " \t").empty()) {
        ui.error("ERROR: NO HAY NINGUN FICHERO ASCII CARGADO");
        return false;
    }
    // position of every number in baseNumbers (1-based), through a direct table
    uint8_t positionOf[50] = {};
    for (size_t i = 0; i < state.base.baseNumbers.size(); ++i)
        positionOf[state.base.baseNumbers[i]] = static_cast<uint8_t>(i + 1);
    const BetList& imported = state.base.importedBets;
    const int64_t total = imported.size();
    state.totalSystem.resize(total);
    for (int64_t i = 1; i <= total; ++i) {
        const uint8_t* src = imported.bet(i);
        uint8_t* dst = state.totalSystem.bet(i);
        for (int j = 0; j < 6; ++j) dst[j] = src[j] <= 49 ? positionOf[src[j]] : 0;
        dst[6] = src[6];
    }
    return true;
}

void MapToFinal(AppState& state)
{
    const IndexBetList& conditioned = state.conditionedSystem;
    const int64_t count = conditioned.size();
    const auto& base = state.base.baseNumbers;
    const bool copyReintegro = state.base.kind == CombinationKind::FromFile;
    uint8_t numberAt[100] = {};
    for (size_t i = 0; i < base.size(); ++i) numberAt[i + 1] = base[i];
    state.finalSystem.resize(count);
    const uint8_t* src = conditioned.data();
    uint8_t* dst = state.finalSystem.data();
#pragma omp parallel for schedule(static)
    for (int64_t i = 0; i < count; ++i) {
        const uint8_t* s = src + i * kBetBytes;
        uint8_t* d = dst + i * kBetBytes;
        for (int j = 0; j < 6; ++j) d[j] = numberAt[s[j]];
        d[6] = copyReintegro ? s[6] : 0;
    }
}

int randomReintegroIndex(int64_t betIndex, int m)
{
    const int g = static_cast<int>(static_cast<double>(m) * Rng::firstDouble(static_cast<uint64_t>(betIndex)));
    return g >= 1 ? g : m;
}

void AssignReintegros(AppState& state)
{
    uint8_t marked[10];
    int m = 0;
    for (int d = 0; d <= kMaxReintegro; ++d)
        if (state.base.markedReintegros[d]) marked[m++] = static_cast<uint8_t>(d);
    if (m == 0) return;

    enum class Rule { Direct, Sequential, Random } rule = Rule::Random;
    if (state.base.kind != CombinationKind::FromFile) {
        if (state.base.reintegroMode == ReintegroMode::Direct) rule = Rule::Direct;
        else if (state.base.reintegroMode == ReintegroMode::Sequential) rule = Rule::Sequential;
    }
    const int64_t count = std::min(state.reducedCount, state.finalSystem.size());
    uint8_t* bets = state.finalSystem.data();
#pragma omp parallel for schedule(static)
    for (int64_t i = 1; i <= count; ++i) {
        uint8_t r;
        switch (rule) {
        case Rule::Direct: r = marked[0]; break;
        case Rule::Sequential: r = marked[(i - 1) % m]; break;
        default: r = marked[randomReintegroIndex(i, m) - 1]; break;
        }
        bets[(i - 1) * kBetBytes + 6] = r;
    }
}

} // namespace kombitron
