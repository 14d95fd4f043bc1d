#include "engine/guarantees.h"

#include <algorithm>
#include <atomic>

#include <omp.h>

#include "core/binomial.h"
#include "core/format.h"
#include "engine/big_array.h"
#include "engine/subset_rank.h"

namespace kombitron {

namespace {

constexpr const char* kLineBreak = "\r\n";

// Per-thread counts, merged at the end of a pass (sums, minima and maxima do not depend on
// the order in which outcomes were met).
struct Accumulator {
    GuaranteeStats stats;

    template <int Q>
    void add(const int64_t* count)
    {
        int h = Q;
        while (h > 0 && count[h] < 1) --h;
        ++stats.cases[h];
        for (int j = h; j >= 0; --j) {
            stats.minBets[h][j] = std::min(stats.minBets[h][j], count[j]);
            stats.maxBets[h][j] = std::max(stats.maxBets[h][j], count[j]);
        }
    }

    void merge(const GuaranteeStats& other)
    {
        for (int h = 0; h < 7; ++h) {
            stats.cases[h] += other.cases[h];
            for (int j = 0; j < 7; ++j) {
                stats.minBets[h][j] = std::min(stats.minBets[h][j], other.minBets[h][j]);
                stats.maxBets[h][j] = std::max(stats.maxBets[h][j], other.maxBets[h][j]);
            }
        }
    }
};

// How many reduced bets contain each subset S of the base (|S| <= q), indexed by the
// lexicographic rank of S among the subsets of its size. From the sums
//   E_j = sum over the j-subsets S of an outcome of contains(S) = sum over bets of C(hits, j)
// the number of bets with exactly i hits follows by binomial inversion:
//   count_i = sum over j >= i of (-1)^(j-i) C(j, i) E_j.
// Entries for S plus one element x above max(S) lie side by side for consecutive x, so all the
// outcomes sharing their first q-1 elements are summed as contiguous runs.
class InclusionTables {
public:
    InclusionTables(const GuaranteeInput& input, int q) : n_(static_cast<int>(input.baseNumbers.size())), q_(q)
    {
        bin_ = subsets::binomialRows();
        int index[64];
        std::fill(std::begin(index), std::end(index), -1);
        for (int i = 0; i < n_; ++i) index[input.baseNumbers[static_cast<size_t>(i)]] = i;
        for (int m = 0; m <= q_; ++m) {
            const size_t size = static_cast<size_t>(subsets::choose(n_, m));
            table_[m] = BigArray<uint32_t>(size);
            std::fill(table_[m].data(), table_[m].data() + size, 0u);
        }
        const BetList& reduced = input.reduced;
        const int64_t count = reduced.size();
#pragma omp parallel for schedule(static) if (count > 20000)
        for (int64_t b = 1; b <= count; ++b) {
            uint64_t mask = 0;
            const uint8_t* numbers = reduced.bet(b);
            for (int j = 0; j < 6; ++j)
                if (numbers[j] < 64 && index[numbers[j]] >= 0) mask |= uint64_t{1} << index[numbers[j]];
            uint8_t e[6];
            const int size = subsets::elementsOfMask(mask, e);
            for (uint32_t pick = 0; pick < (1u << size); ++pick) {
                const int m = __builtin_popcount(pick);
                if (m > q_) continue;
                uint8_t s[6];
                int k = 0;
                for (int j = 0; j < size; ++j)
                    if ((pick >> j) & 1u) s[k++] = e[j];
                __atomic_fetch_add(&table_[m][rank(s, m)], 1u, __ATOMIC_RELAXED);
            }
        }
    }

    // Lexicographic rank 0..C(n,m)-1 of ascending base indices e[0..m-1].
    uint32_t rank(const uint8_t* e, int m) const
    {
        uint64_t r = 0;
        int next = 0;
        for (int i = 0; i < m; ++i) {
            const int rest = m - i;  // r + 1 in the hockey-stick sum
            r += bin_[n_ - next][rest] - bin_[n_ - e[i]][rest];
            next = e[i] + 1;
        }
        return static_cast<uint32_t>(r);
    }

    const uint32_t* table(int m) const { return table_[m].data(); }
    int n() const { return n_; }

    // Counts of bets by hits for every outcome prefix + {x}, x = x0..n-1 (xs == nullptr) or
    // x in xs[0..xCount-1]: prefix holds Q-1 ascending indices below x0. Calls
    // visit(count[0..Q]) for each outcome.
    template <int Q, class Visit>
    void outcomesAfter(const uint8_t* prefix, int x0, const uint8_t* xs, int xCount, Visit&& visit) const
    {
        constexpr int length = Q - 1;
        constexpr int subsetsCount = 1 << length;
        // Lexicographic ranks of every subset S of the prefix and of S + {x0}, built by adding
        // the smallest element in front of a smaller subset: with D(S) the sum over e in S of
        // C(n-1-e, elements of S from e to the end), rank(S) = C(n,|S|) - 1 - D(S), and D grows
        // by one term only when an element is put in front.
        int64_t fixed[7] = {};
        uint32_t runStart[subsetsCount];
        uint8_t runSize[subsetsCount];
        uint64_t alone[subsetsCount], shifted[subsetsCount];
        alone[0] = 0;
        shifted[0] = 0;
        fixed[0] = table_[0][0];
        runStart[0] = static_cast<uint32_t>(x0);
        runSize[0] = 1;
        for (int pick = 1; pick < subsetsCount; ++pick) {
            const int rest = pick & (pick - 1);
            const int m = runSize[rest];
            const int reflected = n_ - 1 - prefix[__builtin_ctz(static_cast<unsigned>(pick))];
            alone[pick] = alone[rest] + bin_[reflected][m];
            shifted[pick] = shifted[rest] + bin_[reflected][m + 1];
            fixed[m] += table_[m][bin_[n_][m] - 1 - alone[pick]];
            runStart[pick] = static_cast<uint32_t>(bin_[n_][m + 1] - 1 - (shifted[pick] + (n_ - 1 - x0)));
            runSize[pick] = static_cast<uint8_t>(m + 1);
        }
        // Sums E_j of all outcomes at once, as runs of contiguous table entries.
        const int span = xs ? 1 : n_ - x0;
        uint32_t run[Q + 1][64];
        for (int t = 0; t < xCount; t += span) {
            const int width = xs ? 1 : span;
            const int offset = xs ? xs[t] - x0 : 0;
            for (int j = 1; j <= Q; ++j) std::fill(run[j], run[j] + width, 0u);
            for (int pick = 0; pick < subsetsCount; ++pick) {
                const uint32_t* src = table_[runSize[pick]].data() + runStart[pick] + offset;
                uint32_t* dst = run[runSize[pick]];
                for (int w = 0; w < width; ++w) dst[w] += src[w];
            }
            for (int w = 0; w < width; ++w) {
                int64_t sums[Q + 1];
                sums[0] = fixed[0];
                for (int j = 1; j <= Q; ++j) sums[j] = fixed[j] + run[j][w];
                int64_t count[Q + 1];
                for (int i = 0; i <= Q; ++i) {
                    int64_t c = 0;
                    for (int j = i; j <= Q; ++j) {
                        const int64_t term = static_cast<int64_t>(kBinomial[j][i]) * sums[j];
                        c += ((j - i) & 1) ? -term : term;
                    }
                    count[i] = c;
                }
                visit(count);
            }
        }
    }

private:
    int n_;
    int q_;
    const uint64_t (*bin_)[8] = nullptr;
    BigArray<uint32_t> table_[7];
};

// Reports progress from the calling thread only (thread 0 of the team).
class SharedProgress {
public:
    SharedProgress(Progress& progress, int64_t total) : progress_(progress), total_(total) {}
    void add(int64_t done)
    {
        const int64_t now = done_.fetch_add(done, std::memory_order_relaxed) + done;
        if (omp_get_thread_num() != 0) return;
        if (now - reported_ >= total_ / 200 + 1 || now == total_) {
            reported_ = now;
            progress_.report(now, total_);
        }
    }

private:
    Progress& progress_;
    int64_t total_;
    std::atomic<int64_t> done_{0};
    int64_t reported_ = 0;
};

template <int Q>
bool totalPass(const InclusionTables& tables, Accumulator& result, Progress& progress, const StopToken& stop)
{
    constexpr int q = Q;
    const int n = tables.n();
    const int64_t outcomes = static_cast<int64_t>(subsets::choose(n, q));
    SharedProgress shared(progress, outcomes);
    std::atomic<bool> stopped{false};
    // Tasks: the first two elements of the prefix (the first one for q = 2; one task for q = 1).
    std::vector<std::array<uint8_t, 2>> tasks;
    const int lead = std::min(q - 1, 2);
    if (lead == 0) tasks.push_back({0, 0});
    for (int a = 0; lead >= 1 && a < n; ++a) {
        if (lead == 1) tasks.push_back({static_cast<uint8_t>(a), 0});
        else
            for (int b = a + 1; b < n; ++b) tasks.push_back({static_cast<uint8_t>(a), static_cast<uint8_t>(b)});
    }
    const int64_t taskCount = static_cast<int64_t>(tasks.size());
    // Small passes are not worth waking a team for.
#pragma omp parallel if (outcomes > 200000)
    {
        Accumulator local;
#pragma omp for schedule(dynamic, 1)
        for (int64_t t = 0; t < taskCount; ++t) {
            if (stopped.load(std::memory_order_relaxed)) continue;
            uint8_t prefix[6];
            for (int j = 0; j < lead; ++j) prefix[j] = tasks[static_cast<size_t>(t)][j];
            const int length = q - 1;
            // The remaining prefix elements ascend, the last one below n - 1 so that some x
            // follows it. Returns false once the stop flag was seen.
            auto walk = [&](auto&& self, int depth) -> bool {
                if (depth == length) {
                    const int x0 = length ? prefix[length - 1] + 1 : 0;
                    if (x0 > n - 1) return true;
                    if (stop.stopRequested()) return false;
                    tables.outcomesAfter<Q>(prefix, x0, nullptr, n - x0,
                                            [&](const int64_t* count) { local.add<Q>(count); });
                    shared.add(n - x0);
                    return true;
                }
                const int high = n - 2 - (length - 1 - depth);
                for (int v = depth ? prefix[depth - 1] + 1 : 0; v <= high; ++v) {
                    prefix[depth] = static_cast<uint8_t>(v);
                    if (!self(self, depth + 1)) return false;
                }
                return true;
            };
            if (!walk(walk, lead)) stopped.store(true, std::memory_order_relaxed);
        }
#pragma omp critical
        result.merge(local.stats);
    }
    return !stopped.load();
}

bool conditionedPass(const InclusionTables& tables, const IndexBetList& conditioned, Accumulator& result,
                     Progress& progress, const StopToken& stop)
{
    const int n = tables.n();
    const int64_t outcomes = conditioned.size();
    SharedProgress shared(progress, outcomes);
    std::atomic<bool> stopped{false};
    constexpr int64_t kChunk = 4096;
    const int64_t chunks = (outcomes + kChunk - 1) / kChunk;
#pragma omp parallel if (outcomes > 2 * kChunk)
    {
        Accumulator local;
#pragma omp for schedule(dynamic, 1)
        for (int64_t c = 0; c < chunks; ++c) {
            if (stopped.load(std::memory_order_relaxed)) continue;
            if (stop.stopRequested()) {
                stopped.store(true, std::memory_order_relaxed);
                continue;
            }
            const int64_t first = c * kChunk + 1;
            const int64_t last = std::min(outcomes, first + kChunk - 1);
            int64_t i = first;
            while (i <= last) {
                // Consecutive outcomes sharing their first five numbers are summed together.
                uint8_t e[6];
                const uint8_t* bet = conditioned.bet(i);
                bool valid = true;
                for (int j = 0; j < 6; ++j) {
                    valid = valid && bet[j] >= 1 && bet[j] <= n && (j == 0 || bet[j] > bet[j - 1]);
                    e[j] = static_cast<uint8_t>(bet[j] - 1);
                }
                if (!valid) {
                    // A malformed row has no hit against any bet.
                    int64_t count[7] = {tables.table(0)[0], 0, 0, 0, 0, 0, 0};
                    local.add<6>(count);
                    ++i;
                    continue;
                }
                uint8_t xs[64];
                int xCount = 0;
                xs[xCount++] = e[5];
                int64_t j = i + 1;
                while (j <= last && xCount < 64) {
                    const uint8_t* next = conditioned.bet(j);
                    if (!std::equal(next, next + 5, bet) || next[5] <= next[4] || next[5] > n) break;
                    xs[xCount++] = static_cast<uint8_t>(next[5] - 1);
                    ++j;
                }
                tables.outcomesAfter<6>(e, e[4] + 1, xs, xCount, [&](const int64_t* count) { local.add<6>(count); });
                i = j;
            }
            shared.add(last - first + 1);
        }
#pragma omp critical
        result.merge(local.stats);
    }
    return !stopped.load();
}

// A text placed in a field: padded, or all spaces when empty or longer than the field.
std::string field(const std::string& text, size_t width, bool right)
{
    if (text.empty() || utf8Length(text) > width) return std::string(width, ' ');
    return right ? padLeft(text, width) : padRight(text, width);
}

} // namespace

void GuaranteeStats::reset()
{
    cases.fill(0);
    for (auto& row : minBets) row.fill(kGuaranteeUnset);
    for (auto& row : maxBets) row.fill(0);
}

int64_t guaranteeOutcomeCount(const GuaranteeInput& input, GuaranteeScope scope, int q)
{
    if (scope != GuaranteeScope::Total) return input.conditioned.size();
    return static_cast<int64_t>(subsets::choose(static_cast<int>(input.baseNumbers.size()), q));
}

namespace {
GuaranteePassResult pass(const GuaranteeInput& input, GuaranteeScope scope, int q, Progress& progress,
                         const StopToken& stop)
{
    GuaranteePassResult result;
    if (scope != GuaranteeScope::Total) q = 6;
    q = std::clamp(q, 1, 6);
    result.level = q;
    const int64_t outcomes = guaranteeOutcomeCount(input, scope, q);
    result.outcomes = outcomes;
    progress.report(0, outcomes);
    const int n = static_cast<int>(input.baseNumbers.size());
    if (n > 49 || (scope == GuaranteeScope::Total && n < q)) return result;
    InclusionTables tables(input, q);
    Accumulator counts;
    bool done = true;
    if (scope != GuaranteeScope::Total) done = conditionedPass(tables, input.conditioned, counts, progress, stop);
    else switch (q) {
        case 1: done = totalPass<1>(tables, counts, progress, stop); break;
        case 2: done = totalPass<2>(tables, counts, progress, stop); break;
        case 3: done = totalPass<3>(tables, counts, progress, stop); break;
        case 4: done = totalPass<4>(tables, counts, progress, stop); break;
        case 5: done = totalPass<5>(tables, counts, progress, stop); break;
        default: done = totalPass<6>(tables, counts, progress, stop); break;
        }
    if (!done) {
        result.markStopped();
        return result;
    }
    result.stats = counts.stats;
    progress.report(outcomes, outcomes);
    return result;
}
} // namespace

GuaranteePassResult runGuaranteePass(const GuaranteeInput& input, GuaranteeScope scope, int q, Progress& progress,
                                     const StopToken& stop)
{
    progress.caption(kGuaranteeCaption);
    return pass(input, scope, q, progress, stop);
}

GuaranteeTable emptyGuaranteeTable(int q)
{
    GuaranteeTable table;
    table.level = q;
    return table;
}

GuaranteeTable publishGuarantees(const GuaranteeStats& stats, int64_t outcomes, int q)
{
    GuaranteeTable table = emptyGuaranteeTable(q);
    double cumulative = 0;
    for (int h = 6; h >= 0; --h) {
        if (outcomes > 0) cumulative += static_cast<double>(stats.cases[h]) * 100.0 / static_cast<double>(outcomes);
        table.countText[h] = std::to_string(stats.cases[h]);
        table.percentText[h] = formatPercent3(cumulative) + "% " + std::to_string(h) + " si " + std::to_string(q);
        if (stats.cases[h] >= 1)
            for (int j = h; j >= 0; --j)
                table.rangeText[h][j] = std::to_string(stats.minBets[h][j]) + "-" + std::to_string(stats.maxBets[h][j]);
    }
    return table;
}

std::string guaranteeSummaryText(const GuaranteeTable& table)
{
    std::string text;
    for (int h = 6; h >= 0; --h) {
        if (!table.shown(h)) continue;
        text += table.percentText[h];
        if (!table.rangeText[h][h].empty()) {
            text += "  ";
            for (int j = h; j >= 1; --j) text += table.rangeText[h][j] + " de " + std::to_string(j) + ", ";
            text += table.rangeText[h][0] + " de 0";
        }
        text += kLineBreak;
    }
    return text;
}

std::string guaranteeReportText(const GuaranteeTable& table)
{
    std::string text;
    for (int h = 6; h >= 0; --h) {
        if (!table.shown(h)) continue;
        text += field(table.countText[h], 10, false);
        text += field(table.percentText[h], 16, false);
        text += std::string(static_cast<size_t>(13 * (6 - h)), ' ');
        for (int j = h; j >= 0; --j) {
            const std::string& cell = table.rangeText[h][j];
            if (cell.empty()) continue;
            const size_t dash = cell.find('-');
            text += field(cell.substr(0, dash), 6, true) + "-" + field(cell.substr(dash + 1), 6, false);
        }
        text += kLineBreak;
    }
    return text;
}

ExtendedGuaranteesResult extendedGuarantees(const GuaranteeInput& input, Progress& progress, const StopToken& stop)
{
    ExtendedGuaranteesResult result;
    progress.caption("");
    std::string text = std::string("DETALLE DE MINI GARANTIAS") + kLineBreak;
    const int n = static_cast<int>(input.baseNumbers.size());
    for (int i = 2; i <= 6; ++i) {
        progress.caption("Calculando garantías (x si " + std::to_string(i) + ") ...");
        const GuaranteePassResult level = pass(input, GuaranteeScope::Total, i, progress, stop);
        if (level.stopped()) {
            result.markStopped();
            result.text = kExtendedStoppedText;
            return result;
        }
        const GuaranteeStats& stats = level.stats;
        const int64_t sets = static_cast<int64_t>(subsets::choose(n, i));
        int64_t atLeast = 0;
        std::array<int64_t, 7> hit{};
        for (int h = 6; h >= 0; --h) {
            atLeast += stats.cases[h];
            hit[h] = atLeast;
        }
        for (int j = i; j >= 2; --j) {
            const double share = sets > 0 ? static_cast<double>(hit[j]) * 100.0 / static_cast<double>(sets) : 0.0;
            text += formatPercent3(share) + "% " + std::to_string(j) + " si " + std::to_string(i) + " (" +
                    std::to_string(hit[j]) + " Apu.)" + kLineBreak;
        }
        text += kLineBreak;
    }
    result.text = std::move(text);
    return result;
}

} // namespace kombitron
