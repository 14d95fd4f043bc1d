#include "filters/groups.h"

#include <tuple>

namespace kombitron {

namespace {

int memberCount(const NumberFlags& flags)
{
    int n = 0;
    for (int v = kMinNumber; v <= kMaxNumber; ++v) n += flags[v] ? 1 : 0;
    return n;
}

int hitCount(const HitSet& set)
{
    int a = 0;
    for (auto f : set.flags) a += f ? 1 : 0;
    return a;
}

int highestHit(const HitSet& set)
{
    for (int c = 6; c >= 0; --c)
        if (set.flags[c]) return c;
    return -1;
}

std::string groupError(int group, const char* text) { return "ERROR en GRUPO" + std::to_string(group) + text; }

} // namespace

namespace {

// Groups counted sixteen at a time, in the order given.
struct CountedGroups {
    std::vector<ClassCounter> chunks;

    // Field of the next group added.
    std::pair<int, int> add(const NumberFlags& members, int index)
    {
        const int chunk = index / 16, field = index % 16;
        if (chunk >= static_cast<int>(chunks.size())) chunks.emplace_back();
        chunks[static_cast<size_t>(chunk)].add(field, members);
        return {chunk, field};
    }
};

} // namespace

int64_t gruposPass(AppState& state, Progress& progress, const StopToken& stop)
{
    struct Group {
        int chunk, field;
        uint8_t hits;
        uint8_t positions;               // bit k: ball k+1 is counted
        std::array<uint8_t, 64> member;  // for groups counted at some positions only
    };
    std::vector<Group> groups;
    CountedGroups counted;
    for (const NumberGroup& g : state.filters.grupos.groups) {
        if (membersMask(g.members) == 0) continue;
        Group group{};
        for (int k = 0; k < 6; ++k)
            if (g.positions[k]) group.positions |= static_cast<uint8_t>(1u << k);
        group.hits = hitBits(g.hits);
        std::tie(group.chunk, group.field) = counted.add(g.members, static_cast<int>(groups.size()));
        for (int n = kMinNumber; n <= kMaxNumber; ++n) group.member[static_cast<size_t>(n)] = g.members[n] ? 1 : 0;
        groups.push_back(group);
    }
    if (groups.empty()) return 0;
    const size_t chunks = counted.chunks.size();
    // One walk for all groups: a bet is rejected by the first group that fails it, which gives
    // the same flags and the same count as one walk per group.
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        uint64_t counts[kGroupCount / 16 + 1];
        for (size_t c = 0; c < chunks; ++c) counts[c] = counted.chunks[c].counts(n);
        for (const Group& g : groups) {
            int h;
            if (g.positions == 0x3F) {
                h = ClassCounter::field(counts[g.chunk], g.field);
            } else {
                h = 0;
                for (int k = 0; k < 6; ++k)
                    if ((g.positions >> k) & 1u) h += g.member[n[k]];
            }
            if (!allows(g.hits, h)) return true;
        }
        return false;
    });
}

int64_t gruposEntreLimitesPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const GruposEntreLimitesParams& p = state.filters.gruposEntreLimites;
    struct Group {
        int chunk, field;
        uint8_t hits;
    };
    std::vector<Group> groups;
    CountedGroups counted;
    for (const LimitGroup& g : p.groups) {
        if (membersMask(g.members) == 0) continue;
        Group group{};
        group.hits = hitBits(g.hits);
        std::tie(group.chunk, group.field) = counted.add(g.members, static_cast<int>(groups.size()));
        groups.push_back(group);
    }
    const int64_t minimum = p.minimum, maximum = p.maximum;
    if (groups.empty() && minimum <= 0 && maximum >= 0) return 0; // every bet holds 0 groups
    const size_t chunks = counted.chunks.size();
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        uint64_t counts[kGroupCount / 16 + 1];
        for (size_t c = 0; c < chunks; ++c) counts[c] = counted.chunks[c].counts(n);
        int64_t held = 0;
        for (const Group& g : groups) held += (g.hits >> ClassCounter::field(counts[g.chunk], g.field)) & 1u;
        return held < minimum || held > maximum;
    });
}

std::string checkGruposClosing(const GruposParams& params)
{
    for (int g = 1; g <= kGroupCount; ++g) {
        const NumberGroup& group = params.groups[g - 1];
        const int n = memberCount(group.members), a = hitCount(group.hits), m = highestHit(group.hits);
        int p = 0;
        for (auto f : group.positions) p += f ? 1 : 0;
        if (n == 0 && a > 0) return groupError(g, " : No ha marcado ningún número y hay aciertos seleccionados");
        if (n == 0 && a == 0 && p < 6)
            return groupError(g, " : No ha marcado ningún número por tanto todas las posiciones del grupo tienen que estar marcadas");
        if (n > 0 && a == 0) return groupError(g, " : Debe rellenar al menos un acierto");
        if (n > 0 && a > 0 && p == 0) return groupError(g, " : Debe rellenar al menos una posición");
        if (n > 0 && a > 0 && p > 0 && p < m) return groupError(g, " : El acierto máximo es mayor que las posiciones marcadas");
    }
    return {};
}

std::string validateAndStoreGruposEntreLimites(GruposEntreLimitesParams& params, int minimum, int maximum)
{
    for (int g = 1; g <= kGroupCount; ++g) {
        const LimitGroup& group = params.groups[g - 1];
        const int n = memberCount(group.members), a = hitCount(group.hits);
        if (n == 0 && a > 0) return groupError(g, " : No ha marcado ningún número y hay aciertos seleccionados");
        if (n > 0 && a == 0) return groupError(g, " : Debe rellenar al menos un acierto");
    }
    if (maximum < minimum) return "ERROR en LIMITE DE GRUPOS : El número de aciertos máximo es menor que el mínimo";
    params.minimum = minimum;
    params.maximum = maximum;
    return {};
}

int pageOfGroup(int group) { return group / 3 + (group % 3 != 0 ? 1 : 0); }

void dropNumbersOutsideBase(NumberFlags& members, const std::vector<uint8_t>& baseNumbers)
{
    NumberFlags inBase{};
    for (uint8_t n : baseNumbers)
        if (n <= kMaxNumber) inBase[n] = 1;
    for (int n = 0; n <= kMaxNumber; ++n)
        if (!inBase[n]) members[n] = 0;
}

} // namespace kombitron
