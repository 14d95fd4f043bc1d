#include "engine/reduction.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <exception>
#include <stdexcept>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/interaction.h"
#include "core/random.h"
#include "engine/generation.h"
#include "engine/reduction_options.h"
#include "engine/subset_rank.h"
#include "engine/swap_shuffle.h"

namespace kombitron {

double Fact(int x) { return x <= 1 ? 1.0 : static_cast<double>(x) * Fact(x - 1); }

int32_t COMBINAT(int a, int b)
{
    if (b < 0 || a < b) return 0;
    return static_cast<int32_t>(std::lround(Fact(a) / (Fact(b) * Fact(a - b))));
}

bool usesMaximumCoverage(int type, int n)
{
    const int k = reductionType(type).minimumHits;
    return k >= 5 || (k == 4 && n <= 22);
}

bool runsUntilStopped(ReductionOptions options, int n)
{
    clampReductionOptions(options);
    if (options.cycles) return true;
    return !usesMaximumCoverage(options.type, n) && options.byBetCount == 1 && options.exactCount == 1;
}

namespace {

using subsets::BitSet;

// Fix(covered / N x 100), divided first and in double precision: 29 of 100 gives 28.
int fixPercent(int64_t covered, int64_t total)
{
    return static_cast<int>(static_cast<double>(covered) / static_cast<double>(total) * 100.0);
}

// Positions of the scan block whose largest coverage bound is kept.
constexpr int64_t kBlock = 64;

class Run {
public:
    Run(const ReductionInput& in, const ReductionOptions& options, ReductionProgress& progress, const StopToken& stop)
        : base_(in.baseNumbers), list_(in.conditioned), opt_(options), progress_(progress), stop_(stop)
    {
        n_ = static_cast<int>(base_.size());
        total_ = list_.size();
        full_ = in.fullSystem && total_ == combinationCount(n_, 6);
        k_ = reductionType(opt_.type).minimumHits;
        c_ = subsets::binomialRows();
    }

    void execute()
    {
        result_.best = total_ + 1;
        report(0);
        caption("0");
        if (total_ == 0) return;
        validate();
        prepareRanks();
        if (usesMaximumCoverage(opt_.type, n_)) maximumCoverage();
        else firstFit();
    }

    void finish() { report(0); }

    void fail(const char* what) { result_.markFailed(what ? what : ""); }

    ReductionResult take()
    {
        result_.cyclesDone = cyclesDone_;
        if (result_.found) result_.bets = betsOf(best_);
        return std::move(result_);
    }

private:
    // ---- shared ----

    const uint8_t* bet(int64_t s) const { return list_.data() + s * kBetBytes; }

    void elements(int64_t s, uint8_t* e) const
    {
        const uint8_t* b = bet(s);
        for (int j = 0; j < 6; ++j) e[j] = static_cast<uint8_t>(b[j] - 1);
    }

    uint64_t maskOf(int64_t s) const
    {
        const uint8_t* b = bet(s);
        uint64_t m = 0;
        for (int j = 0; j < 6; ++j) m |= uint64_t{1} << (b[j] - 1);
        return m;
    }

    void validate() const
    {
        if (n_ < 6 || n_ > kMaxNumber) throw std::invalid_argument("la base debe tener entre 6 y 49 números");
        for (int64_t s = 0; s < total_; ++s) {
            const uint8_t* b = bet(s);
            for (int j = 0; j < 6; ++j)
                if (b[j] < 1 || b[j] > n_ || (j > 0 && b[j] <= b[j - 1]))
                    throw std::invalid_argument("el sistema condicionado tiene una apuesta no válida");
        }
    }

    void prepareRanks()
    {
        rank6_.resize(static_cast<size_t>(total_));
        const uint64_t space = combinationCount(n_, 6);
        conditioned_ = BitSet(space);
        covered_ = BitSet(space);
        const int64_t count = total_;
#pragma omp parallel for schedule(static) if (count > 20000)
        for (int64_t s = 0; s < count; ++s) {
            uint8_t e[6];
            elements(s, e);
            rank6_[static_cast<size_t>(s)] = subsets::colexRank(e, 6);
        }
        for (int64_t s = 0; s < total_; ++s) {
            if (!conditioned_.insert(rank6_[static_cast<size_t>(s)]))
                throw std::invalid_argument("el sistema condicionado tiene apuestas repetidas");
        }
        scanOrder_.resize(static_cast<size_t>(total_));
        for (int64_t s = 0; s < total_; ++s) scanOrder_[static_cast<size_t>(s)] = static_cast<int32_t>(s);
    }

    void report(int percent)
    {
        if (percent == lastProgress_) return;
        lastProgress_ = percent;
        progress_.report(percent, 100);
    }

    void caption(const char* text) { progress_.caption(text); }

    // Where the run gives way: a stop request seen here ends it.
    bool yieldSeesStop()
    {
        if (!stop_.stopRequested()) return false;
        result_.markStopped();
        return true;
    }

    void countCycle()
    {
        cyclesDone_ += 1;
        progress_.cycleDone(cyclesDone_);
    }

    BetList betsOf(const std::vector<int32_t>& selection) const
    {
        BetList out(static_cast<int64_t>(selection.size()));
        for (size_t i = 0; i < selection.size(); ++i) {
            const uint8_t* b = bet(selection[i]);
            uint8_t* d = out.bet(static_cast<int64_t>(i) + 1);
            for (int j = 0; j < 6; ++j) d[j] = base_[b[j] - 1];
            d[6] = 0;
        }
        return out;
    }

    void keep(const std::vector<int32_t>& selection)
    {
        best_ = selection;
        result_.found = true;
        result_.best = static_cast<int64_t>(selection.size());
        progress_.improved(result_.best);
    }

    // The swap-with-any-position shuffle of the scan order, seeded by the cycle number (or the
    // clock in random mode) so that a run without `random` repeats itself.
    void shuffle()
    {
        rng_.reseed(opt_.random ? clockSeed() : static_cast<uint64_t>(cyclesDone_));
        swapWithAnyPosition(scanOrder_.data(), total_, rng_, [](int64_t) {});
    }

    // ---- maximum coverage ----
    //
    // The coverage of a bet z (uncovered conditioned bets sharing at least k numbers with it) is
    // never stored for every bet. It follows from how many uncovered conditioned bets contain
    // each 5-subset (U) and each 4-subset (W) of z, by inclusion-exclusion:
    //   k = 6: u;  k = 5: sum U - 5u;  k = 4: sum W - 4 sum U + 10u   (u: z itself uncovered).
    // Covering a bet updates its 6 + 15 table entries instead of the coverage of every
    // neighbour; the selection scan works on upper bounds that coverage only ever lowers, and
    // recomputes the exact value of a bet only when its bound reaches the current target.

    // Colex ranks of the six 5-subsets (and, with r4, the fifteen 4-subsets) of e.
    void subsetRanks(const uint8_t* e, uint32_t* r5, uint32_t* r4) const
    {
        // An element keeps its place before the dropped ones (p), moves down one place after
        // one dropped element (q) or two (s).
        uint32_t p[6], q[6], s[6];
        for (int j = 0; j < 6; ++j) {
            p[j] = static_cast<uint32_t>(c_[e[j]][j + 1]);
            q[j] = static_cast<uint32_t>(c_[e[j]][j]);
            s[j] = j > 0 ? static_cast<uint32_t>(c_[e[j]][j - 1]) : 0;
        }
        uint32_t before[7], afterQ[7];
        before[0] = 0;
        for (int j = 0; j < 6; ++j) before[j + 1] = before[j] + p[j];
        afterQ[6] = 0;
        for (int j = 5; j >= 0; --j) afterQ[j] = afterQ[j + 1] + q[j];
        for (int i = 0; i < 6; ++i) r5[i] = before[i] + afterQ[i + 1];
        if (!r4) return;
        uint32_t afterS[7];
        afterS[6] = 0;
        for (int j = 5; j >= 0; --j) afterS[j] = afterS[j + 1] + s[j];
        int t = 0;
        for (int i = 0; i < 6; ++i)
            for (int l = i + 1; l < 6; ++l)
                r4[t++] = before[i] + (afterQ[i + 1] - afterQ[l]) + afterS[l + 1];
    }

    int exactCoverage(int64_t s) const
    {
        const int u = covered_.test(rank6_[static_cast<size_t>(s)]) ? 0 : 1;
        if (k_ == 6) return u;
        uint8_t e[6];
        elements(s, e);
        uint32_t r5[6], r4[15];
        subsetRanks(e, r5, k_ == 4 ? r4 : nullptr);
        int sumU = 0;
        for (int i = 0; i < 6; ++i) sumU += fives_[r5[i]];
        if (k_ == 5) return sumU - 5 * u;
        int sumW = 0;
        for (int i = 0; i < 15; ++i) sumW += fours_[r4[i]];
        return sumW - 4 * sumU + 10 * u;
    }

    // exactCoverage for k = 5 of the bets at the given scan positions.
    void coveragesToFive(const int64_t* positions, int count, int* values) const
    {
        uint32_t r5[kBlock][6];
        uint32_t r6[kBlock];
        for (int i = 0; i < count; ++i) {
            const int64_t s = scanOrder_[static_cast<size_t>(positions[i])];
            r6[i] = rank6_[static_cast<size_t>(s)];
            __builtin_prefetch(covered_.words() + (r6[i] >> 6));
            uint8_t e[6];
            elements(s, e);
            subsetRanks(e, r5[i], nullptr);
            for (int j = 0; j < 6; ++j) __builtin_prefetch(fives_.data() + r5[i][j]);
        }
        for (int i = 0; i < count; ++i) {
            const int u = covered_.test(r6[i]) ? 0 : 1;
            int sumU = 0;
            for (int j = 0; j < 6; ++j) sumU += fives_[r5[i][j]];
            values[i] = sumU - 5 * u;
        }
    }

    void countSubsets(const uint8_t* e, int delta)
    {
        if (k_ == 6) return;
        uint32_t r5[6], r4[15];
        subsetRanks(e, r5, k_ == 4 ? r4 : nullptr);
        for (int i = 0; i < 6; ++i) fives_[r5[i]] = static_cast<uint8_t>(fives_[r5[i]] + delta);
        if (k_ == 4)
            for (int i = 0; i < 15; ++i) fours_[r4[i]] = static_cast<uint16_t>(fours_[r4[i]] + delta);
    }

    // Mark every uncovered conditioned bet within reach of x covered; returns how many.
    int64_t cover(int64_t x)
    {
        const uint64_t mx = maskOf(x);
        uint8_t e[6];
        elements(x, e);
        uint8_t out[64];
        int outs = 0;
        for (int v = 0; v < n_; ++v)
            if (!((mx >> v) & 1)) out[outs++] = static_cast<uint8_t>(v);
        // First every neighbour and its rank, with the flags it needs on their way to the
        // cache; then the flags; then the table entries of the bets covered now.
        reach_.clear();
        reach_.push_back(mx);
        if (k_ <= 5)
            for (int i = 0; i < 6; ++i)
                for (int a = 0; a < outs; ++a) reach_.push_back(mx ^ (uint64_t{1} << e[i]) ^ (uint64_t{1} << out[a]));
        if (k_ <= 4)
            for (int i = 0; i < 6; ++i)
                for (int l = i + 1; l < 6; ++l)
                    for (int a = 0; a < outs; ++a)
                        for (int b = a + 1; b < outs; ++b)
                            reach_.push_back(mx ^ (uint64_t{1} << e[i]) ^ (uint64_t{1} << e[l]) ^
                                             (uint64_t{1} << out[a]) ^ (uint64_t{1} << out[b]));
        reachRank_.resize(reach_.size());
        for (size_t i = 0; i < reach_.size(); ++i) {
            const uint32_t r = subsets::colexRankOfMask(reach_[i]);
            reachRank_[i] = r;
            __builtin_prefetch(covered_.words() + (r >> 6), 1);
            if (!full_) __builtin_prefetch(conditioned_.words() + (r >> 6));
        }
        size_t fresh = 0;
        for (size_t i = 0; i < reach_.size(); ++i) {
            const uint32_t r = reachRank_[i];
            if ((full_ || conditioned_.test(r)) && covered_.insert(r)) reach_[fresh++] = reach_[i];
        }
        if (k_ == 6) return static_cast<int64_t>(fresh);
        subsetRanks_.resize(fresh * 21);
        for (size_t i = 0; i < fresh; ++i) {
            uint8_t y[6];
            subsets::elementsOfMask(reach_[i], y);
            uint32_t* r = subsetRanks_.data() + i * 21;
            subsetRanks(y, r, k_ == 4 ? r + 6 : nullptr);
            for (int j = 0; j < 6; ++j) __builtin_prefetch(fives_.data() + r[j], 1);
        }
        for (size_t i = 0; i < fresh; ++i) {
            const uint32_t* r = subsetRanks_.data() + i * 21;
            for (int j = 0; j < 6; ++j) --fives_[r[j]];
            if (k_ == 4)
                for (int j = 6; j < 21; ++j) --fours_[r[j]];
        }
        return static_cast<int64_t>(fresh);
    }

    // Initial coverage of every bet; false when the analysis was stopped.
    bool analyse()
    {
        const uint64_t fiveCount = combinationCount(n_, 5);
        const uint64_t fourCount = k_ == 4 ? combinationCount(n_, 4) : 0;
        saved_.assign(static_cast<size_t>(total_), 0);
        if (full_) {
            int32_t each = 1;
            if (k_ <= 5) each += COMBINAT(6, 5) * COMBINAT(n_ - 6, 1);
            if (k_ <= 4) each += COMBINAT(6, 4) * COMBINAT(n_ - 6, 2);
            std::fill(saved_.begin(), saved_.end(), static_cast<uint16_t>(each));
            if (k_ <= 5) savedFives_.assign(fiveCount, static_cast<uint8_t>(n_ - 5));
            if (k_ == 4) savedFours_.assign(fourCount, static_cast<uint16_t>(combinationCount(n_ - 4, 2)));
            return true;
        }
        caption("Analizando ...");
        fives_.assign(k_ <= 5 ? fiveCount : 0, 0);
        fours_.assign(fourCount, 0);
        for (int64_t b = 1; b <= total_; ++b) {
            if (b % 500 == 0) {
                report(fixPercent(b, total_));
                if (yieldSeesStop()) {
                    caption("0");
                    return false;
                }
            }
            uint8_t e[6];
            elements(b - 1, e);
            countSubsets(e, +1);
        }
        const int64_t count = total_;
#pragma omp parallel for schedule(static) if (count > 20000)
        for (int64_t s = 0; s < count; ++s) saved_[static_cast<size_t>(s)] = static_cast<uint16_t>(exactCoverage(s));
        savedFives_ = std::move(fives_);
        savedFours_ = std::move(fours_);
        return true;
    }

    uint16_t savedCoverage(int64_t s) const { return saved_[static_cast<size_t>(s)]; }

    // Positions p (first <= p < first + count, count <= 64) whose bound is at least target.
    static uint64_t reaching(const uint16_t* b, int64_t count, int target)
    {
        uint64_t m = 0;
#ifdef __SSE2__
        if (count == kBlock) {
            const __m128i below = _mm_set1_epi16(static_cast<short>(target - 1));
            for (int i = 0; i < 8; ++i) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 8 * i));
                const __m128i ge = _mm_cmpgt_epi16(v, below);
                const int bits = _mm_movemask_epi8(_mm_packs_epi16(ge, _mm_setzero_si128())) & 0xFF;
                m |= static_cast<uint64_t>(bits) << (8 * i);
            }
            return m;
        }
#endif
        for (int64_t i = 0; i < count; ++i)
            if (b[i] >= target) m |= uint64_t{1} << i;
        return m;
    }

    static uint16_t largest(const uint16_t* b, int64_t count)
    {
#ifdef __SSE2__
        if (count == kBlock) {
            __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
            for (int i = 1; i < 8; ++i) m = _mm_max_epi16(m, _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 8 * i)));
            m = _mm_max_epi16(m, _mm_srli_si128(m, 8));
            m = _mm_max_epi16(m, _mm_srli_si128(m, 4));
            m = _mm_max_epi16(m, _mm_srli_si128(m, 2));
            return static_cast<uint16_t>(_mm_extract_epi16(m, 0));
        }
#endif
        uint16_t m = 0;
        for (int64_t i = 0; i < count; ++i) m = std::max(m, b[i]);
        return m;
    }

    // Position of the bet with the largest coverage, the first in scan order among equals;
    // -1 when every coverage is 0. `target` and `start` carry over between selections: every
    // position before `start` holds coverage below `target`, and no coverage exceeds it.
    int64_t selectNext(int& coverage)
    {
        uint16_t* bound = bound_.data();
        while (target_ > 0) {
            const int64_t blocks = static_cast<int64_t>(blockBound_.size());
            for (int64_t blk = start_ / kBlock; blk < blocks; ++blk) {
                if (blockBound_[static_cast<size_t>(blk)] < target_) continue;
                const int64_t first = blk * kBlock;
                const int64_t count = std::min(kBlock, total_ - first);
                uint64_t candidates = reaching(bound + first, count, target_);
                if (start_ > first) candidates &= ~uint64_t{0} << (start_ - first);
                if (k_ == 5 && candidates) {
                    // All the block's candidates at once: their table entries are fetched
                    // together instead of one bet after another.
                    int64_t positions[kBlock];
                    int found = 0;
                    for (; candidates; candidates &= candidates - 1) positions[found++] = first + __builtin_ctzll(candidates);
                    int values[kBlock];
                    coveragesToFive(positions, found, values);
                    for (int i = 0; i < found; ++i) bound[positions[i]] = static_cast<uint16_t>(values[i]);
                    for (int i = 0; i < found; ++i)
                        if (values[i] >= target_) {
                            start_ = positions[i] + 1;
                            coverage = values[i];
                            return positions[i];
                        }
                }
                for (; candidates; candidates &= candidates - 1) {
                    const int64_t p = first + __builtin_ctzll(candidates);
                    const int c = exactCoverage(scanOrder_[static_cast<size_t>(p)]);
                    bound[p] = static_cast<uint16_t>(c);
                    if (c >= target_) {
                        start_ = p + 1;
                        coverage = c;
                        return p;
                    }
                }
                blockBound_[static_cast<size_t>(blk)] = largest(bound + first, count);
            }
            // Nothing reaches the target: every bound is now below it.
            uint16_t m = 0;
            for (uint16_t b : blockBound_) m = std::max(m, b);
            target_ = m;
            start_ = 0;
        }
        return -1;
    }

    void maximumCoverage()
    {
        if (!analyse()) return;
        best_.clear();
        result_.best = total_ + 1;
        bound_.resize(static_cast<size_t>(total_));
        blockBound_.resize(static_cast<size_t>((total_ + kBlock - 1) / kBlock));
        std::vector<int32_t> selection;
        for (;;) {
            fives_ = savedFives_;
            fours_ = savedFours_;
            covered_.clearAll();
            selection.clear();
            int64_t covered = 0;
            target_ = 0;
            start_ = 0;
            for (size_t blk = 0; blk < blockBound_.size(); ++blk) {
                uint16_t m = 0;
                const int64_t first = static_cast<int64_t>(blk) * kBlock;
                const int64_t last = std::min(first + kBlock, total_);
                for (int64_t p = first; p < last; ++p) {
                    const uint16_t c = savedCoverage(scanOrder_[static_cast<size_t>(p)]);
                    bound_[static_cast<size_t>(p)] = c;
                    m = std::max(m, c);
                }
                blockBound_[blk] = m;
                target_ = std::max<int>(target_, m);
            }

            bool abandoned = false;
            for (;;) {
                int coverage = 0;
                const int64_t p = selectNext(coverage);
                if (p < 0) break;
                if (static_cast<int64_t>(selection.size()) + 1 >= result_.best) {
                    abandoned = true;
                    break;
                }
                const int32_t x = scanOrder_[static_cast<size_t>(p)];
                const int64_t fresh = cover(x);
                if (fresh != coverage) throw std::logic_error("cobertura incoherente en la reducción");
                covered += coverage;
                bound_[static_cast<size_t>(p)] = 0;
                selection.push_back(x);

                const int a = fixPercent(covered, total_);
                report(a);
                if (yieldSeesStop()) return;
                bool more;
                if (opt_.byBetCount == 0 || opt_.exactCount == 1) more = a < opt_.percentage;
                else if (a >= 100) more = false;
                else if (opt_.cycles) more = true;
                else more = static_cast<int64_t>(selection.size()) != opt_.betCount;
                if (!more) break;
            }

            countCycle();
            if (!abandoned && static_cast<int64_t>(selection.size()) < result_.best) {
                keep(selection);
                const int64_t size = result_.best;
                if (size == 1 || (opt_.byBetCount == 1 && opt_.exactCount == 0 && size <= opt_.betCount)) return;
            }
            if (!opt_.cycles) return;
            shuffle();
        }
    }

    // ---- first fit ----

    // Size of the reach of a bet among all 6-sets of the base.
    uint64_t reachSize() const
    {
        uint64_t size = 0;
        for (int d = 0; d <= 6 - k_; ++d) size += subsets::choose(6, d) * subsets::choose(n_ - 6, d);
        return size;
    }

    // All d-subsets of `items` as masks.
    static void subsetMasks(const uint8_t* items, int count, int d, std::vector<uint64_t>& out)
    {
        out.clear();
        if (d > count) return;
        int idx[6];
        for (int i = 0; i < d; ++i) idx[i] = i;
        for (;;) {
            uint64_t m = 0;
            for (int i = 0; i < d; ++i) m |= uint64_t{1} << items[idx[i]];
            out.push_back(m);
            int i = d - 1;
            while (i >= 0 && idx[i] == count - d + i) --i;
            if (i < 0) break;
            ++idx[i];
            for (int j = i + 1; j < d; ++j) idx[j] = idx[j - 1] + 1;
        }
    }

    // Mark covered every uncovered conditioned bet sharing at least k numbers with b.
    int64_t coverFirstFit(int64_t b)
    {
        const uint64_t mb = maskOf(b);
        int64_t fresh = 0;
        if (!masks_.empty()) {
            const uint64_t* masks = masks_.data();
            for (int64_t q = 0; q < total_; ++q) {
                if (__builtin_popcountll(masks[q] & mb) < k_) continue;
                if (covered_.insert(rank6_[static_cast<size_t>(q)])) ++fresh;
            }
            return fresh;
        }
        uint8_t e[6];
        elements(b, e);
        uint8_t out[64];
        int outs = 0;
        for (int v = 0; v < n_; ++v)
            if (!((mb >> v) & 1)) out[outs++] = static_cast<uint8_t>(v);
        for (int d = 1; d <= 6 - k_; ++d) {
            subsetMasks(e, 6, d, removals_);
            subsetMasks(out, outs, d, additions_);
            for (uint64_t rm : removals_) {
                const uint64_t kept = mb ^ rm;
                for (uint64_t ad : additions_) {
                    const uint32_t r = subsets::colexRankOfMask(kept | ad);
                    if (conditioned_.test(r) && covered_.insert(r)) ++fresh;
                }
            }
        }
        return fresh;
    }

    void firstFit()
    {
        // Walk a bet's reach among all 6-sets of the base when it is smaller than the
        // conditioned system; otherwise test every conditioned bet.
        if (reachSize() >= static_cast<uint64_t>(total_)) {
            masks_.resize(static_cast<size_t>(total_));
            for (int64_t s = 0; s < total_; ++s) masks_[static_cast<size_t>(s)] = maskOf(s);
        }
        best_.clear();
        result_.best = total_ + 1;
        std::vector<int32_t> selection;
        while (!yieldSeesStop()) {
            covered_.clearAll();
            selection.clear();
            int64_t covered = 0;
            int64_t i = 0;
            int a = 0;
            bool abandoned = false;
            for (int64_t p = 1; p <= total_; ++p) {
                report(a);
                if (p % 100 == 0 && yieldSeesStop()) return;
                const int32_t b = scanOrder_[static_cast<size_t>(p - 1)];
                if (covered_.insert(rank6_[static_cast<size_t>(b)])) {
                    ++covered;
                    ++i;
                    if (i > result_.best) {
                        abandoned = true;
                        break;
                    }
                    selection.push_back(b);
                    covered += coverFirstFit(b);
                    a = fixPercent(covered, total_);
                }
                if (opt_.byBetCount == 0 && a >= opt_.percentage) break;
                if (opt_.byBetCount == 1 && i == opt_.betCount && !opt_.cycles) break;
            }
            if (!abandoned && i < result_.best) {
                keep(selection);
                if ((opt_.byBetCount == 0 && !opt_.cycles) || i == 1 ||
                    (opt_.byBetCount == 1 && opt_.exactCount == 0 && i <= opt_.betCount))
                    return;
            }
            countCycle();
            report(0);
            shuffle();
        }
    }

    const std::vector<uint8_t>& base_;
    const IndexBetList& list_;
    ReductionOptions opt_;
    ReductionProgress& progress_;
    StopToken stop_;
    const uint64_t (*c_)[8] = nullptr;

    int n_ = 0;
    int64_t total_ = 0;
    bool full_ = false;
    int k_ = 6;

    std::vector<uint32_t> rank6_;
    BitSet conditioned_;
    BitSet covered_;
    std::vector<int32_t> scanOrder_;
    Rng rng_;

    std::vector<uint8_t> fives_, savedFives_;
    std::vector<uint16_t> fours_, savedFours_;
    std::vector<uint16_t> saved_;
    std::vector<uint16_t> bound_;
    std::vector<uint16_t> blockBound_;
    int target_ = 0;
    int64_t start_ = 0;

    std::vector<uint64_t> masks_;
    std::vector<uint64_t> reach_;
    std::vector<uint32_t> reachRank_;
    std::vector<uint32_t> subsetRanks_;
    std::vector<uint64_t> removals_, additions_;

    std::vector<int32_t> best_;
    double cyclesDone_ = 0;
    int lastProgress_ = -1;
    ReductionResult result_;
};

} // namespace

ReductionResult runReduction(const ReductionInput& input, const ReductionOptions& options,
                             ReductionProgress& progress, const StopToken& stop)
{
    ReductionOptions clamped = options;
    clampReductionOptions(clamped);
    Run run(input, clamped, progress, stop);
    try {
        run.execute();
    } catch (const std::exception& e) {
        run.fail(e.what());
    }
    run.finish();
    try {
        return run.take();
    } catch (const std::exception& e) {
        ReductionResult r;
        r.markFailed(e.what());
        return r;
    }
}

bool prepareReduction(AppState& state)
{
    const bool generated = state.base.kind != CombinationKind::FromFile;
    bool rebuilt = false;
    if (generated) {
        EnumerateSubsets(state, 6);
        rebuilt = true;
    } else {
        SilentInteraction silent;
        rebuilt = BuildTotalFromImport(state, silent);
    }
    const IndexBetList& total = state.totalSystem;
    if (rebuilt && static_cast<int64_t>(state.eliminationFlags.size()) == total.size()) {
        int64_t alive = 0;
        for (uint8_t f : state.eliminationFlags) alive += f == 0;
        IndexBetList conditioned(alive);
        int64_t c = 0;
        for (int64_t i = 1; i <= total.size(); ++i)
            if (state.eliminationFlags[static_cast<size_t>(i - 1)] == 0)
                std::copy(total.bet(i), total.bet(i) + kBetBytes, conditioned.bet(++c));
        state.conditionedSystem = std::move(conditioned);
    }
    state.conditionedCount = state.conditionedSystem.size();
    const int n = static_cast<int>(state.base.baseNumbers.size());
    return generated && state.noBetEliminated && state.conditionedCount == combinationCount(n, 6);
}

ReductionResult runReduction(AppState& state, ReductionProgress& progress, const StopToken& stop)
{
    clampReductionOptions(state.reduction);
    bool full = false;
    try {
        full = prepareReduction(state);
    } catch (const std::exception& e) {
        ReductionResult r;
        r.markFailed(e.what());
        progress.report(0, 100);
        return r;
    }
    ReductionResult result =
        runReduction(ReductionInput{state.base.baseNumbers, state.conditionedSystem, full}, state.reduction, progress, stop);
    if (result.found) {
        state.finalSystem = std::move(result.bets);
        state.reducedCount = result.best;
        result.bets = BetList();
    }
    return result;
}

} // namespace kombitron
