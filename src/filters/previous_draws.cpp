#include "filters/previous_draws.h"

#include <limits>

namespace kombitron {

namespace {

bool notBefore(const DrawRecord& d, const DrawRef& ref)
{
    return d.season > ref.season || (d.season == ref.season && d.drawNumber >= ref.draw);
}

bool notAfter(const DrawRecord& d, const DrawRef& ref)
{
    return d.season < ref.season || (d.season == ref.season && d.drawNumber <= ref.draw);
}

// binom[x][r] = C(x, r) for x = 0..48, r = 0..6.
struct Binomials {
    uint32_t c[49][7]{};
    Binomials()
    {
        for (int x = 0; x < 49; ++x) {
            c[x][0] = 1;
            for (int r = 1; r <= 6; ++r) c[x][r] = x == 0 ? 0 : c[x - 1][r - 1] + c[x - 1][r];
        }
    }
};
const Binomials kBinom;

constexpr uint32_t kLevelSize[7] = {1, 49, 1176, 18424, 211876, 1906884, 13983816};

// How many of the draw's six numbers are among the bet's numbers, entry by entry.
int scanHits(const uint8_t* draw, NumberMask bet)
{
    int h = 0;
    for (int k = 0; k < 6; ++k) h += draw[k] < 64 && ((bet >> draw[k]) & 1u) ? 1 : 0;
    return h;
}

bool regularSix(const uint8_t* n)
{
    if (n[0] < 1 || n[5] > 49) return false;
    for (int k = 1; k < 6; ++k)
        if (n[k] <= n[k - 1]) return false;
    return true;
}

// Counts, for one group's selected draws, how many of them hold each subset of 1..5 numbers
// (indexed by the subset's colex rank) and each six-number combination. For a bet B,
// N_k = sum of those counts over the k-subsets of B = sum over draws of C(|B n D|, k); the
// number of draws hit exactly h times follows by inversion, and so does q, a fixed linear
// combination of N_0..N_6. Only the levels with a non-zero weight are built.
class HitCounter {
public:
    HitCounter(const std::vector<std::array<uint8_t, 6>>& regular, uint8_t allowedHits)
    {
        for (int k = 0; k <= 6; ++k) {
            int64_t w = 0;
            for (int h = 0; h <= k; ++h) {
                if (!((allowedHits >> h) & 1u)) continue;
                const int64_t sign = ((k - h) % 2 == 0) ? 1 : -1;
                w += sign * static_cast<int64_t>(choose(k, h));
            }
            weight_[k] = w;
        }
        draws_ = static_cast<int64_t>(regular.size());
        for (int k = 1; k <= 5; ++k)
            if (weight_[k] != 0) level_[k].assign(kLevelSize[k], 0);
        if (weight_[6] != 0) sixBits_.assign(kLevelSize[6] / 64 + 1, 0);
        for (const auto& d : regular) {
            uint32_t e[6][7];
            edges(d.data(), e);
            for (int k = 1; k <= 5; ++k)
                if (weight_[k] != 0) forEachSubset(k, e, [&](uint32_t index) { ++level_[k][index]; });
            if (weight_[6] != 0) {
                const uint32_t index = sixIndex(e);
                sixBits_[index / 64] |= uint64_t{1} << (index % 64);
                sixList_.push_back(index);
            }
        }
        std::sort(sixList_.begin(), sixList_.end());
    }

    // q for a bet of six distinct ascending numbers 1..49.
    int64_t count(const uint8_t* bet) const
    {
        uint32_t e[6][7];
        edges(bet, e);
        int64_t q = weight_[0] * draws_;
        for (int k = 1; k <= 5; ++k) {
            if (weight_[k] == 0) continue;
            int64_t n = 0;
            const uint16_t* table = level_[k].data();
            forEachSubset(k, e, [&](uint32_t index) { n += table[index]; });
            q += weight_[k] * n;
        }
        if (weight_[6] != 0) {
            const uint32_t index = sixIndex(e);
            if ((sixBits_[index / 64] >> (index % 64)) & 1u) {
                const auto range = std::equal_range(sixList_.begin(), sixList_.end(), index);
                q += weight_[6] * static_cast<int64_t>(range.second - range.first);
            }
        }
        return q;
    }

private:
    static uint32_t choose(int n, int k) { return n < 0 ? 0 : kBinom.c[n][k]; }

    // e[i][r] = C(a_i - 1, r): the part of a colex rank that number i contributes at rank r.
    static void edges(const uint8_t* a, uint32_t e[6][7])
    {
        for (int i = 0; i < 6; ++i)
            for (int r = 1; r <= 6; ++r) e[i][r] = kBinom.c[a[i] - 1][r];
    }

    static uint32_t sixIndex(const uint32_t e[6][7])
    {
        return e[0][1] + e[1][2] + e[2][3] + e[3][4] + e[4][5] + e[5][6];
    }

    template <class F>
    static void forEachSubset(int k, const uint32_t e[6][7], const F& f)
    {
        switch (k) {
        case 1:
            for (int i = 0; i < 6; ++i) f(e[i][1]);
            break;
        case 2:
            for (int i = 0; i < 6; ++i)
                for (int j = i + 1; j < 6; ++j) f(e[i][1] + e[j][2]);
            break;
        case 3:
            for (int i = 0; i < 6; ++i)
                for (int j = i + 1; j < 6; ++j)
                    for (int l = j + 1; l < 6; ++l) f(e[i][1] + e[j][2] + e[l][3]);
            break;
        case 4:
            // the four kept are the six minus a pair
            for (int x = 0; x < 6; ++x)
                for (int y = x + 1; y < 6; ++y) {
                    uint32_t index = 0;
                    int r = 1;
                    for (int i = 0; i < 6; ++i)
                        if (i != x && i != y) index += e[i][r++];
                    f(index);
                }
            break;
        case 5:
            for (int x = 0; x < 6; ++x) {
                uint32_t index = 0;
                int r = 1;
                for (int i = 0; i < 6; ++i)
                    if (i != x) index += e[i][r++];
                f(index);
            }
            break;
        default: break;
        }
    }

    int64_t weight_[7]{};
    int64_t draws_ = 0;
    std::vector<uint16_t> level_[6];
    std::vector<uint64_t> sixBits_;
    std::vector<uint32_t> sixList_;
};

} // namespace

bool drawSelected(const DrawRecord& draw, const DrawRef& from, const DrawRef& to, int weekday)
{
    return notBefore(draw, from) && notAfter(draw, to) && (weekday == 0 || weekday == draw.weekday);
}

int64_t SorteosAnterioresPass(AppState& state, Progress& progress)
{
    const SorteosAnterioresParams& p = state.filters.sorteosAnteriores;
    if (p.draws.empty()) return 0;
    int64_t eliminated = 0;
    for (const PreviousDrawsGroup& g : p.groups) {
        const uint8_t allowed = hitBits(g.acertarEN);
        if (allowed == 0) continue;
        std::vector<std::array<uint8_t, 6>> regular, irregular;
        for (const DrawRecord& d : p.draws) {
            if (!drawSelected(d, g.sorteoDESDE, g.sorteoHASTA, g.sorteoDIAS)) continue;
            std::array<uint8_t, 6> six;
            std::copy(d.numbers, d.numbers + 6, six.begin());
            std::sort(six.begin(), six.end());
            (regularSix(six.data()) ? regular : irregular).push_back(six);
        }
        const int64_t minimum = g.aciertosMinimoSORTEOS, maximum = g.aciertosMaximoSORTEOS;
        // The counts fit the 16-bit tables unless a group selects more draws than any real history holds.
        const bool tables = regular.size() <= std::numeric_limits<uint16_t>::max();
        if (!tables) {
            irregular.insert(irregular.end(), regular.begin(), regular.end());
            regular.clear();
        }
        const HitCounter counter(regular, allowed);
        const auto scan = [&](const std::vector<std::array<uint8_t, 6>>& draws, NumberMask bet) {
            int64_t q = 0;
            for (const auto& d : draws) q += allows(allowed, scanHits(d.data(), bet)) ? 1 : 0;
            return q;
        };
        eliminated += runPass(state, progress, [&](const uint8_t* n) {
            const NumberMask bet = maskOf(n);
            int64_t q;
            if (regularSix(n)) q = counter.count(n) + scan(irregular, bet);
            else q = scan(regular, bet) + scan(irregular, bet);
            return q < minimum || q > maximum;
        });
    }
    return eliminated;
}

std::string ValidateAndStorePreviousDrawsGroup(SorteosAnterioresParams& params, int group, PreviousDrawsFields& fields)
{
    if (group < 1 || group > kPreviousDrawsGroups) return {};
    int64_t minimum = 0, maximum = 0;
    if (!parseNumericField(fields.minimum, minimum)) {
        fields.minimum = "0";
        minimum = 0;
    }
    if (!parseNumericField(fields.maximum, maximum)) {
        fields.maximum = "0";
        maximum = 0;
    }
    PreviousDrawsGroup& g = params.groups[group - 1];
    if (g.acertarEN.any()) {
        const std::string head = "ERROR en GRUPO " + std::to_string(group) + ": ";
        if (fields.drawTo < fields.drawFrom) return head + "El número de sorteo inicial es mayor que el final";
        if (fields.seasonTo < fields.seasonFrom) return head + "El número de año inicial es mayor que el final";
        if (maximum < minimum) return head + "El condición de mínimo de sorteos es mayor que el máximo de sorteos";
        if (params.draws.empty()) return head + "No se ha cargado el fichero general de sorteos";
    }
    const int64_t limit = std::numeric_limits<int32_t>::max();
    g.aciertosMinimoSORTEOS = static_cast<int32_t>(std::min(minimum, limit));
    g.aciertosMaximoSORTEOS = static_cast<int32_t>(std::min(maximum, limit));
    g.sorteoDESDE = {static_cast<uint16_t>(fields.drawFrom), static_cast<int16_t>(fields.seasonFrom)};
    g.sorteoHASTA = {static_cast<uint16_t>(fields.drawTo), static_cast<int16_t>(fields.seasonTo)};
    g.sorteoDIAS = static_cast<int16_t>(fields.weekday);
    return {};
}

} // namespace kombitron
