#include "filters/previous_draws.h"

#include <limits>

#include "core/binomial.h"

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

// The k-subsets (k = 1..6) of the six elements of a bet, as ascending element lists, split by
// whether they hold element 0.
struct SubsetLists {
    struct Subset {
        uint8_t size;
        uint8_t element[6];
    };
    std::vector<Subset> with[7], without[7];

    SubsetLists()
    {
        for (unsigned mask = 1; mask < 64; ++mask) {
            Subset subset{};
            for (uint8_t i = 0; i < 6; ++i)
                if ((mask >> i) & 1u) subset.element[subset.size++] = i;
            ((mask & 1u) ? with : without)[subset.size].push_back(subset);
        }
    }
};
const SubsetLists kSubsets;

// Counts, for one group's selected draws, how many of them hold each subset of 1..5 numbers
// (indexed by the subset's colex rank) and each six-number combination. For a bet B,
// N_k = sum of those counts over the k-subsets of B = sum over draws of C(|B n D|, k); the
// number of draws hit exactly h times follows by inversion, and so does q, a fixed linear
// combination of N_0..N_6. Only the levels with a non-zero weight are built.
class HitCounter {
public:
    using Edges = uint32_t[6][7];

    HitCounter(const std::vector<std::array<uint8_t, 6>>& regular, uint8_t allowedHits)
    {
        for (int k = 0; k <= 6; ++k) {
            int64_t w = 0;
            for (int h = 0; h <= k; ++h) {
                if (!((allowedHits >> h) & 1u)) continue;
                const int64_t sign = ((k - h) % 2 == 0) ? 1 : -1;
                w += sign * static_cast<int64_t>(kBinomial[k][h]);
            }
            weight_[k] = w;
        }
        draws_ = static_cast<int64_t>(regular.size());
        for (int k = 1; k <= 5; ++k)
            if (weight_[k] != 0) level_[k].assign(kLevelSize[k], 0);
        if (weight_[6] != 0) sixBits_.assign(kLevelSize[6] / 64 + 1, 0);
        for (const auto& d : regular) {
            Edges e;
            edges(d.data(), e);
            for (int k = 1; k <= 5; ++k) {
                if (weight_[k] == 0) continue;
                for (const auto* list : {&kSubsets.with[k], &kSubsets.without[k]})
                    for (const auto& subset : *list) ++level_[k][index(subset, e)];
            }
            if (weight_[6] != 0) {
                const uint32_t six = index(kSubsets.with[6][0], e);
                sixBits_[six / 64] |= uint64_t{1} << (six % 64);
                sixList_.push_back(six);
            }
        }
        std::sort(sixList_.begin(), sixList_.end());
    }

    // e[i][r] = C(b_i - 1, r): the part of a colex rank that element i contributes at rank r,
    // over b_i = 50 - a_(6-i), the numbers mirrored and ascending again. Mirrored, the highest
    // number of a bet is element 0 and weighs least in every rank, so the bets that follow one
    // another in the system (same first five numbers, next last number) read neighbouring entries.
    static void edges(const uint8_t* a, Edges e)
    {
        for (int i = 0; i < 6; ++i)
            for (int r = 1; r <= 6; ++r) e[i][r] = static_cast<uint32_t>(kBinomial[49 - a[5 - i]][r]);
    }

    // The part of q that does not depend on the highest number: the constant term and the
    // subsets of the five lowest numbers.
    int64_t lowPart(const Edges e) const
    {
        int64_t q = weight_[0] * draws_;
        for (int k = 1; k <= 5; ++k) {
            if (weight_[k] == 0) continue;
            const uint16_t* table = level_[k].data();
            int64_t n = 0;
            for (const auto& subset : kSubsets.without[k]) n += table[index(subset, e)];
            q += weight_[k] * n;
        }
        return q;
    }

    // For the subsets that hold the highest number (element 0, which always takes rank 1 and
    // adds 49 - highest), the rest of their index, which the five lowest numbers fix: level k's
    // entries go to bases[offset[k] ..], in the order of kSubsets.with[k].
    static void highBases(const Edges e, uint32_t* bases)
    {
        int at = 0;
        for (int k = 1; k <= 6; ++k)
            for (const auto& subset : kSubsets.with[k]) {
                uint32_t index = 0;
                for (int r = 1; r < subset.size; ++r) index += e[subset.element[r]][r + 1];
                bases[at++] = index;
            }
    }

    // The part of q from the subsets that hold the highest number `highest`, given their bases.
    int64_t highPart(const uint32_t* bases, int highest) const
    {
        const uint32_t offset = static_cast<uint32_t>(49 - highest);
        int64_t q = 0;
        int at = 0;
        for (int k = 1; k <= 5; ++k) {
            const int count = static_cast<int>(kSubsets.with[k].size());
            if (weight_[k] != 0) {
                const uint16_t* table = level_[k].data() + offset;
                int64_t n = 0;
                for (int i = 0; i < count; ++i) n += table[bases[at + i]];
                q += weight_[k] * n;
            }
            at += count;
        }
        if (weight_[6] != 0) {
            const uint32_t six = bases[at] + offset;
            if ((sixBits_[six / 64] >> (six % 64)) & 1u) {
                const auto range = std::equal_range(sixList_.begin(), sixList_.end(), six);
                q += weight_[6] * static_cast<int64_t>(range.second - range.first);
            }
        }
        return q;
    }

private:
    static uint32_t index(const SubsetLists::Subset& subset, const Edges e)
    {
        uint32_t index = 0;
        for (int r = 0; r < subset.size; ++r) index += e[subset.element[r]][r + 1];
        return index;
    }

    int64_t weight_[7]{};
    int64_t draws_ = 0;
    std::vector<uint16_t> level_[6];
    std::vector<uint64_t> sixBits_;
    std::vector<uint32_t> sixList_;
};

// One group's test of a bet. Each thread keeps the part of q that its last bet's five lowest
// numbers give, which the next bets mostly share.
class GroupTest {
public:
    GroupTest(const HitCounter& counter, const std::vector<std::array<uint8_t, 6>>& regular,
              const std::vector<std::array<uint8_t, 6>>& irregular, uint8_t allowed, int64_t minimum, int64_t maximum)
        : counter_(&counter), regular_(&regular), irregular_(&irregular), allowed_(allowed), minimum_(minimum),
          maximum_(maximum)
    {
    }

    bool operator()(const uint8_t* n)
    {
        const NumberMask bet = maskOf(n);
        int64_t q = scan(*irregular_, bet);
        if (regularSix(n)) {
            const uint64_t prefix = uint64_t{n[0]} | uint64_t{n[1]} << 8 | uint64_t{n[2]} << 16 |
                                    uint64_t{n[3]} << 24 | uint64_t{n[4]} << 32;
            if (prefix != prefix_) {
                prefix_ = prefix;
                HitCounter::Edges e;
                HitCounter::edges(n, e);
                low_ = counter_->lowPart(e);
                HitCounter::highBases(e, bases_);
            }
            q += low_ + counter_->highPart(bases_, n[5]);
        } else {
            q += scan(*regular_, bet);
        }
        return q < minimum_ || q > maximum_;
    }

private:
    int64_t scan(const std::vector<std::array<uint8_t, 6>>& draws, NumberMask bet) const
    {
        int64_t q = 0;
        for (const auto& d : draws) q += allows(allowed_, scanHits(d.data(), bet)) ? 1 : 0;
        return q;
    }

    const HitCounter* counter_;
    const std::vector<std::array<uint8_t, 6>>* regular_;
    const std::vector<std::array<uint8_t, 6>>* irregular_;
    uint8_t allowed_;
    int64_t minimum_, maximum_;
    uint64_t prefix_ = ~uint64_t{0};
    int64_t low_ = 0;
    uint32_t bases_[32] = {};
};

} // namespace

bool drawSelected(const DrawRecord& draw, const DrawRef& from, const DrawRef& to, int weekday)
{
    return notBefore(draw, from) && notAfter(draw, to) && (weekday == 0 || weekday == draw.weekday);
}

int64_t sorteosAnterioresPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const SorteosAnterioresParams& p = state.filters.sorteosAnteriores;
    if (p.draws.empty()) return 0;
    int64_t eliminated = 0;
    for (const PreviousDrawsGroup& g : p.groups) {
        if (stop.stopRequested()) break;
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
        eliminated += runPass(state, progress, stop, GroupTest(counter, regular, irregular, allowed, minimum, maximum));
    }
    return eliminated;
}

std::string validateAndStorePreviousDrawsGroup(SorteosAnterioresParams& params, int group, PreviousDrawsFields& fields)
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
