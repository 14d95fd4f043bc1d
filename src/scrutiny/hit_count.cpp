#include "scrutiny/hit_count.h"

#include <algorithm>
#include <cstring>

#include <omp.h>

#include "engine/subset_rank.h"

namespace kombitron {

namespace {

constexpr int kNumbers = 49;

// Where the sets of each size start in the table: the sets of size k take C(49, k) entries.
constexpr std::array<int64_t, 8> kLevelStart = {0,      1,      50,      1226,    19650,
                                                231526, 2138410, 16122226};
static_assert(kLevelStart[7] == SubsetCountTable::kEntries);

// Bets between two looks at the stop request while the table is built.
constexpr int64_t kBuildBlock = int64_t{1} << 20;

// Lists shorter than this are counted on one core: starting the others costs more.
constexpr int64_t kParallelBets = 1 << 16;

// Above this many bets a count of the table (six times the bets at size 0) could pass 32 bits.
constexpr int64_t kTableBetLimit = 700000000;

// Bet-by-bet comparisons that cost about as much as building the table once (measured on this
// machine: the table takes about the time of 2.5e8 mask comparisons).
constexpr double kTableBreakEven = 2.5e8;

// Bits 1..49.
constexpr uint64_t kAllNumbers = ((uint64_t{1} << 50) - 1) & ~uint64_t{1};

inline uint32_t colexRank(uint64_t numbers) { return subsets::colexRankOfMask(numbers >> 1); }

inline int64_t tableIndex(uint64_t numbers)
{
    return kLevelStart[static_cast<size_t>(countNumbers(numbers))] + colexRank(numbers);
}

// Push the counts of the sets of size k+1 onto their subsets of size k and divide by the 6 - k
// numbers of a bet outside each of them: with every bet holding six numbers, that gives the bets
// holding each k-set.
void pushLevel(uint32_t* table, int k)
{
    const auto* c = subsets::binomialRows();
    uint32_t* target = table + kLevelStart[static_cast<size_t>(k)];
    const uint32_t* source = table + kLevelStart[static_cast<size_t>(k) + 1];
    const int64_t sets = static_cast<int64_t>(c[kNumbers][k + 1]);
    const int size = k + 1;
    if (k == 0) {
        uint64_t sum = 0;
        for (int64_t r = 0; r < sets; ++r) sum += source[r];
        target[0] = static_cast<uint32_t>(sum / 6);
        return;
    }
    // The sets of size k+1 in colex order, their elements kept in e[] as a counter would.
    uint8_t e[7];
    for (int j = 0; j < size; ++j) e[j] = static_cast<uint8_t>(j);
    for (int64_t r = 0; r < sets; ++r) {
        const uint32_t v = source[r];
        if (v != 0) {
            // rank without element j = sum over i < j of C(e_i, i+1) + sum over i > j of C(e_i, i)
            uint64_t suffix[7];
            suffix[size - 1] = 0;
            for (int j = size - 2; j >= 0; --j) suffix[j] = suffix[j + 1] + c[e[j + 1]][j + 1];
            uint64_t prefix = 0;
            for (int j = 0; j < size; ++j) {
                target[prefix + suffix[j]] += v;
                prefix += c[e[j]][j + 1];
            }
        }
        // Next set in colex order: raise the lowest element that can rise, reset those below it.
        int j = 0;
        while (j + 1 < size && e[j] + 1 == e[j + 1]) ++j;
        ++e[j];
        for (int i = 0; i < j; ++i) e[i] = static_cast<uint8_t>(i);
    }
    const uint32_t outside = static_cast<uint32_t>(6 - k);
    const int64_t targets = static_cast<int64_t>(c[kNumbers][k]);
    for (int64_t r = 0; r < targets; ++r) target[r] /= outside;
}

// Sizes 6 to 5, the one push that matters for time: each 6-set {a<b<c<d<e<f} gives its count to
// its six 5-subsets. Grouped by the two top elements, the targets that keep f are runs indexed by
// a, and dropping f is one run per f over all 5-sets below it.
void pushSixToFive(uint32_t* table)
{
    const auto* c = subsets::binomialRows();
    const uint32_t* six = table + kLevelStart[6];
    uint32_t* five = table + kLevelStart[5];

    // The targets that keep f have f as their largest element, so each f writes its own range.
#pragma omp parallel for schedule(dynamic, 1)
    for (int f = kNumbers - 1; f >= 5; --f) {
        const uint64_t cf6 = c[f][6], cf5 = c[f][5];
        for (int e = 4; e < f; ++e) {
            const uint64_t ce5 = c[e][5], ce4 = c[e][4];
            for (int d = 3; d < e; ++d) {
                const uint64_t cd4 = c[d][4], cd3 = c[d][3];
                for (int cc = 2; cc < d; ++cc) {
                    const uint64_t cc3 = c[cc][3], cc2 = c[cc][2];
                    for (int b = 1; b < cc; ++b) {
                        const uint64_t cb2 = c[b][2];
                        const uint32_t* src = six + cf6 + ce5 + cd4 + cc3 + cb2;
                        uint32_t* dropB = five + cc2 + cd3 + ce4 + cf5;
                        uint32_t* dropC = five + cb2 + cd3 + ce4 + cf5;
                        uint32_t* dropD = five + cb2 + cc3 + ce4 + cf5;
                        uint32_t* dropE = five + cb2 + cc3 + cd4 + cf5;
                        uint32_t sumA = 0;
                        for (int a = 0; a < b; ++a) {
                            const uint32_t v = src[a];
                            sumA += v;
                            dropB[a] += v;
                            dropC[a] += v;
                            dropD[a] += v;
                            dropE[a] += v;
                        }
                        dropB[b] += sumA; // {b,c,d,e,f}: rank b + C(c,2) + ... + C(f,5)
                    }
                }
            }
        }
    }
    // Dropping the largest element f of a 6-set keeps the ranks of the other five: the 5-sets
    // below f (ranks 0..C(f,5)-1) receive the 6-sets C(f,6) + the same rank.
    const int64_t fiveSets = static_cast<int64_t>(c[kNumbers][5]);
    constexpr int64_t kChunk = 1 << 14;
#pragma omp parallel for schedule(dynamic, 4)
    for (int64_t start = 0; start < fiveSets; start += kChunk) {
        const int64_t end = std::min(fiveSets, start + kChunk);
        for (int f = 5; f < kNumbers; ++f) {
            const int64_t below = static_cast<int64_t>(c[f][5]);
            if (below <= start) continue;
            const uint32_t* src = six + c[f][6];
            const int64_t stop = std::min(end, below);
            for (int64_t r = start; r < stop; ++r) five[r] += src[r];
        }
    }
}

} // namespace

SubsetCountTable::SubsetCountTable() = default;
SubsetCountTable::~SubsetCountTable() = default;

bool SubsetCountTable::build(const BetList& bets, int64_t count, const StopToken& stop)
{
    count = std::clamp<int64_t>(count, 0, bets.size());
    if (!counts_) counts_ = std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(kEntries));
    uint32_t* table = counts_.get();
#pragma omp parallel for schedule(static)
    for (int64_t block = 0; block < kEntries; block += kBuildBlock)
        std::memset(table + block, 0, sizeof(uint32_t) * static_cast<size_t>(std::min(kBuildBlock, kEntries - block)));

    // Bets of six distinct numbers 1..49 go to the 6-set counts; the others (a damaged record
    // repeating a number or holding one outside 1..49) are added set by set at the end.
    uint32_t* six = table + kLevelStart[6];
    constexpr uint32_t kIrregular = UINT32_MAX;
    std::vector<uint64_t> irregular;
    std::vector<uint32_t> ranks(static_cast<size_t>(std::min(count, kBuildBlock)));
    for (int64_t first = 1; first <= count; first += kBuildBlock) {
        if (stop.stopRequested()) return false;
        const int64_t n = std::min(kBuildBlock, count - first + 1);
        const int threads = n >= kParallelBets ? omp_get_max_threads() : 1;
#pragma omp parallel for schedule(static) num_threads(threads)
        for (int64_t i = 0; i < n; ++i) {
            const uint64_t mask = numberMask(bets.bet(first + i));
            ranks[static_cast<size_t>(i)] = countNumbers(mask) == 6 ? colexRank(mask) : kIrregular;
        }
        // Each core counts the ranks of its own share of the 6-sets: plain increments, whose
        // cache misses overlap, where shared atomic ones would queue one behind the other.
#pragma omp parallel num_threads(threads)
        {
            const int t = omp_get_thread_num(), all = omp_get_num_threads();
            const uint32_t low = static_cast<uint32_t>(kAllBets * t / all);
            const uint32_t span = static_cast<uint32_t>(kAllBets * (t + 1) / all) - low;
            for (int64_t i = 0; i < n; ++i) {
                const uint32_t r = ranks[static_cast<size_t>(i)];
                if (r - low < span) ++six[r];
            }
        }
        for (int64_t i = 0; i < n; ++i)
            if (ranks[static_cast<size_t>(i)] == kIrregular) irregular.push_back(numberMask(bets.bet(first + i)));
    }
    if (stop.stopRequested()) return false;
    pushSixToFive(table);
    for (int k = 4; k >= 0; --k) {
        if (stop.stopRequested()) return false;
        pushLevel(table, k);
    }
    for (const uint64_t mask : irregular) {
        // Every subset of the bet's numbers, the empty set included.
        for (uint64_t sub = mask;; sub = (sub - 1) & mask) {
            ++table[tableIndex(sub)];
            if (sub == 0) break;
        }
    }
    return true;
}

HitTally SubsetCountTable::tally(uint64_t winningMask, unsigned complementary) const
{
    HitTally tally;
    winningMask &= kAllNumbers;
    const int w = countNumbers(winningMask);
    if (w > 6) return tally;
    // held[j] = sum over the j-subsets S of the combination of the bets holding S, which is the
    // sum over bets of C(hits, j); inverting that binomial transform gives the bets by hits.
    std::array<int64_t, 7> held{};
    for (uint64_t sub = winningMask;; sub = (sub - 1) & winningMask) {
        held[static_cast<size_t>(countNumbers(sub))] += counts_[static_cast<size_t>(tableIndex(sub))];
        if (sub == 0) break;
    }
    for (int h = 0; h <= w; ++h) {
        int64_t exact = 0;
        for (int j = h; j <= w; ++j) {
            const int64_t term = static_cast<int64_t>(subsets::choose(j, h)) * held[static_cast<size_t>(j)];
            exact += ((j - h) & 1) ? -term : term;
        }
        tally.hits[static_cast<size_t>(h)] = exact;
    }

    const uint64_t complementaryBit = numberBit(complementary);
    if (complementaryBit == 0 || w < 5) return tally;
    // Five-hit bets holding the complementary: for each 5-subset S of the combination, the bets
    // whose winning numbers are exactly S and that hold the complementary too.
    for (uint64_t sub = winningMask;; sub = (sub - 1) & winningMask) {
        if (countNumbers(sub) == 5) {
            if (!(winningMask & complementaryBit)) {
                // With the complementary outside the combination a bet holding S and it holds six
                // numbers, so it is that 6-set and hits exactly S.
                tally.fiveWithComplementary += counts_[static_cast<size_t>(tableIndex(sub | complementaryBit))];
            } else if (sub & complementaryBit) {
                // A damaged draw repeats the complementary among its numbers: the bets whose
                // hits are exactly S, which holds it.
                int64_t exact = counts_[static_cast<size_t>(tableIndex(sub))];
                if (w == 6) exact -= counts_[static_cast<size_t>(tableIndex(winningMask))];
                tally.fiveWithComplementary += exact;
            }
        }
        if (sub == 0) break;
    }
    return tally;
}

std::vector<uint64_t> betMasks(const BetList& bets, int64_t count)
{
    count = std::clamp<int64_t>(count, 0, bets.size());
    std::vector<uint64_t> masks(static_cast<size_t>(count));
#pragma omp parallel for schedule(static) if (count >= kParallelBets)
    for (int64_t i = 0; i < count; ++i) masks[static_cast<size_t>(i)] = numberMask(bets.bet(i + 1));
    return masks;
}

namespace {

HitTally tallyRange(const uint64_t* masks, int64_t n, uint64_t winningMask, uint64_t complementaryBit)
{
    int64_t hits[7] = {};
    int64_t fiveC = 0;
    for (int64_t i = 0; i < n; ++i) {
        const int h = hitsOf(masks[i], winningMask);
        ++hits[h];
        fiveC += (h == 5) & ((masks[i] & complementaryBit) != 0);
    }
    HitTally tally;
    for (int h = 0; h <= 6; ++h) tally.hits[static_cast<size_t>(h)] = hits[h];
    tally.fiveWithComplementary = fiveC;
    return tally;
}

} // namespace

HitTally tallyBets(const std::vector<uint64_t>& betMasks, uint64_t winningMask, unsigned complementary)
{
    const int64_t n = static_cast<int64_t>(betMasks.size());
    const uint64_t complementaryBit = numberBit(complementary);
    if (n < kParallelBets) return tallyRange(betMasks.data(), n, winningMask, complementaryBit);
    const int threads = omp_get_max_threads();
    std::vector<HitTally> parts(static_cast<size_t>(threads));
#pragma omp parallel num_threads(threads)
    {
        const int t = omp_get_thread_num();
        const int64_t from = n * t / threads, to = n * (t + 1) / threads;
        parts[static_cast<size_t>(t)] = tallyRange(betMasks.data() + from, to - from, winningMask, complementaryBit);
    }
    HitTally total;
    for (const HitTally& part : parts) total += part;
    return total;
}

BetFileCounter::Method BetFileCounter::chooseMethod(int64_t bets, int64_t combinations)
{
    if (bets > kTableBetLimit) return Method::BetByBet;
    return static_cast<double>(bets) * static_cast<double>(combinations) >= kTableBreakEven ? Method::SubsetTable
                                                                                            : Method::BetByBet;
}

bool BetFileCounter::prepare(const BetList& bets, int64_t count, int64_t combinations, const StopToken& stop)
{
    count = std::clamp<int64_t>(count, 0, bets.size());
    return prepare(bets, count, chooseMethod(count, combinations), stop);
}

bool BetFileCounter::prepare(const BetList& bets, int64_t count, Method forced, const StopToken& stop)
{
    count_ = std::clamp<int64_t>(count, 0, bets.size());
    method_ = count_ > kTableBetLimit ? Method::BetByBet : forced;
    masks_.clear();
    if (method_ == Method::SubsetTable) {
        if (!table_) table_ = std::make_unique<SubsetCountTable>();
        return table_->build(bets, count_, stop);
    }
    table_.reset();
    masks_ = betMasks(bets, count_);
    return !stop.stopRequested();
}

HitTally BetFileCounter::tally(uint64_t winningMask, unsigned complementary) const
{
    if (method_ == Method::SubsetTable) return table_->tally(winningMask, complementary);
    return tallyBets(masks_, winningMask, complementary);
}

void BetFileCounter::tallyMany(const uint64_t* winningMasks, const uint8_t* complementaries, int64_t n,
                               HitTally* out) const
{
    if (method_ == Method::SubsetTable) {
#pragma omp parallel for schedule(static) if (n >= 256)
        for (int64_t i = 0; i < n; ++i) out[i] = table_->tally(winningMasks[i], complementaries ? complementaries[i] : 0);
        return;
    }
    // A long file is split over the cores inside each tally; a short one against many
    // combinations gives each core whole combinations.
    if (count_ >= kParallelBets || n < 2) {
        for (int64_t i = 0; i < n; ++i) out[i] = tally(winningMasks[i], complementaries ? complementaries[i] : 0);
        return;
    }
#pragma omp parallel for schedule(dynamic, 4) if (count_ * n >= kParallelBets)
    for (int64_t i = 0; i < n; ++i)
        out[i] = tallyRange(masks_.data(), count_, winningMasks[i], numberBit(complementaries ? complementaries[i] : 0));
}

} // namespace kombitron
