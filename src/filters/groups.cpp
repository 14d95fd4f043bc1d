#include "filters/groups.h"

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

int64_t GruposPass(AppState& state, Progress& progress)
{
    struct Group {
        NumberMask members;
        uint8_t hits;
        uint8_t positions; // bit k: ball k+1 is counted
    };
    std::vector<Group> groups;
    for (const NumberGroup& g : state.filters.grupos.groups) {
        const NumberMask members = membersMask(g.members);
        if (members == 0) continue;
        uint8_t positions = 0;
        for (int k = 0; k < 6; ++k)
            if (g.positions[k]) positions |= static_cast<uint8_t>(1u << k);
        groups.push_back({members, hitBits(g.hits), positions});
    }
    if (groups.empty()) return 0;
    // One walk for all groups: a bet is rejected by the first group that fails it, which gives
    // the same flags and the same count as one walk per group.
    return runPass(state, progress, [&](const uint8_t* n) {
        const NumberMask mask = maskOf(n);
        for (const Group& g : groups) {
            int h;
            if (g.positions == 0x3F) {
                h = countIn(mask, g.members);
            } else {
                h = 0;
                for (int k = 0; k < 6; ++k)
                    if ((g.positions >> k) & 1u) h += static_cast<int>((g.members >> n[k]) & 1u);
            }
            if (!allows(g.hits, h)) return true;
        }
        return false;
    });
}

int64_t GruposEntreLimitesPass(AppState& state, Progress& progress)
{
    const GruposEntreLimitesParams& p = state.filters.gruposEntreLimites;
    struct Group {
        NumberMask members;
        uint8_t hits;
    };
    std::vector<Group> groups;
    for (const LimitGroup& g : p.groups) {
        const NumberMask members = membersMask(g.members);
        if (members != 0) groups.push_back({members, hitBits(g.hits)});
    }
    const int64_t minimum = p.minimum, maximum = p.maximum;
    if (groups.empty() && minimum <= 0 && maximum >= 0) return 0; // every bet holds 0 groups
    return runPass(state, progress, [&](const uint8_t* n) {
        const NumberMask mask = maskOf(n);
        int64_t held = 0;
        for (const Group& g : groups) held += allows(g.hits, countIn(mask, g.members)) ? 1 : 0;
        return held < minimum || held > maximum;
    });
}

std::string CheckGruposClosing(const GruposParams& params)
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

std::string ValidateAndStoreGruposEntreLimites(GruposEntreLimitesParams& params, int minimum, int maximum)
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

void DropNumbersOutsideBase(NumberFlags& members, const std::vector<uint8_t>& baseNumbers)
{
    NumberFlags inBase{};
    for (uint8_t n : baseNumbers)
        if (n <= kMaxNumber) inBase[n] = 1;
    for (int n = 0; n <= kMaxNumber; ++n)
        if (!inBase[n]) members[n] = 0;
}

} // namespace kombitron
