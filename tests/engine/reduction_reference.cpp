#include "engine/reduction_reference.h"

#include <algorithm>
#include <set>

#include "core/random.h"
#include "engine/reduction_options.h"

namespace kombitron::test {

namespace {
int fix(int64_t covered, int64_t total) { return static_cast<int>(static_cast<double>(covered) / static_cast<double>(total) * 100.0); }

int64_t binom(int a, int b)
{
    if (b < 0 || a < b) return 0;
    int64_t r = 1;
    for (int i = 1; i <= b; ++i) r = r * (a - b + i) / i;
    return r;
}
} // namespace

TestSystem systemOf(const std::vector<uint8_t>& base, const std::vector<Positions>& bets)
{
    TestSystem t;
    t.base = base;
    t.positions = bets;
    t.list.resize(static_cast<int64_t>(bets.size()));
    for (size_t i = 0; i < bets.size(); ++i) {
        uint8_t* d = t.list.bet(static_cast<int64_t>(i) + 1);
        for (int j = 0; j < 6; ++j) d[j] = bets[i][j];
        d[6] = 0;
    }
    return t;
}

TestSystem randomSystem(uint64_t seed, int n, double keep, bool shuffled)
{
    Rng rng(seed);
    std::vector<uint8_t> numbers;
    for (int v = 1; v <= 49; ++v) numbers.push_back(static_cast<uint8_t>(v));
    for (int i = 0; i < n; ++i) std::swap(numbers[static_cast<size_t>(i)], numbers[static_cast<size_t>(i + rng.below(49 - i))]);
    std::vector<uint8_t> base(numbers.begin(), numbers.begin() + n);
    std::sort(base.begin(), base.end());
    std::vector<Positions> all, kept;
    if (binom(n, 6) > 100000 && keep < 0.1) {
        // Large bases: draw the surviving bets directly, kept in lexicographic order.
        const int64_t want = std::max<int64_t>(1, static_cast<int64_t>(keep * static_cast<double>(binom(n, 6))));
        std::set<Positions> drawn;
        while (static_cast<int64_t>(drawn.size()) < want) {
            std::vector<uint8_t> pool;
            for (int v = 1; v <= n; ++v) pool.push_back(static_cast<uint8_t>(v));
            Positions q{};
            for (int j = 0; j < 6; ++j) {
                std::swap(pool[static_cast<size_t>(j)], pool[static_cast<size_t>(j + rng.below(n - j))]);
                q[j] = pool[static_cast<size_t>(j)];
            }
            std::sort(q.begin(), q.end());
            drawn.insert(q);
        }
        kept.assign(drawn.begin(), drawn.end());
        if (shuffled)
            for (size_t i = kept.size(); i > 1; --i) std::swap(kept[i - 1], kept[static_cast<size_t>(rng.below(static_cast<int64_t>(i)))]);
        return systemOf(base, kept);
    }
    Positions p{};
    for (p[0] = 1; p[0] <= n; ++p[0])
        for (p[1] = p[0] + 1; p[1] <= n; ++p[1])
            for (p[2] = p[1] + 1; p[2] <= n; ++p[2])
                for (p[3] = p[2] + 1; p[3] <= n; ++p[3])
                    for (p[4] = p[3] + 1; p[4] <= n; ++p[4])
                        for (p[5] = p[4] + 1; p[5] <= n; ++p[5]) all.push_back(p);
    for (const auto& b : all)
        if (keep >= 1.0 || rng.nextDouble() < keep) kept.push_back(b);
    if (kept.empty()) kept.push_back(all[static_cast<size_t>(rng.below(static_cast<int64_t>(all.size())))]);
    if (shuffled)
        for (size_t i = kept.size(); i > 1; --i) std::swap(kept[i - 1], kept[static_cast<size_t>(rng.below(static_cast<int64_t>(i)))]);
    TestSystem t = systemOf(base, kept);
    t.full = !shuffled && kept.size() == all.size();
    return t;
}

ReductionTrace referenceReduction(const std::vector<uint8_t>& base, const std::vector<Positions>& cond, bool full,
                                  const ReductionOptions& options, int stopAfterCycles)
{
    ReductionOptions o = options;
    clampReductionOptions(o);
    ReductionTrace t;
    const int n = static_cast<int>(base.size());
    const int64_t N = static_cast<int64_t>(cond.size());
    const int k = o.type == 1 ? 5 : o.type == 2 ? 4 : o.type == 3 ? 3 : o.type == 4 ? 2 : 6;
    bool stop = false;
    auto report = [&](int a) {
        if (t.progress.empty() || t.progress.back() != a) t.progress.push_back(a);
    };
    auto countCycle = [&] {
        t.cyclesDone += 1;
        t.cycles.push_back(t.cyclesDone);
        if (stopAfterCycles > 0 && t.cyclesDone >= stopAfterCycles) stop = true;
    };
    std::vector<uint64_t> mask(static_cast<size_t>(N));
    for (int64_t i = 0; i < N; ++i)
        for (uint8_t p : cond[static_cast<size_t>(i)]) mask[static_cast<size_t>(i)] |= uint64_t{1} << p;
    auto near = [&](int64_t a, int64_t b) {
        return __builtin_popcountll(mask[static_cast<size_t>(a)] & mask[static_cast<size_t>(b)]) >= k;
    };
    std::vector<int64_t> order(static_cast<size_t>(N));
    for (int64_t i = 0; i < N; ++i) order[static_cast<size_t>(i)] = i;
    Rng rng;
    auto shuffle = [&] {
        rng.reseed(static_cast<uint64_t>(t.cyclesDone));
        for (int64_t i = 0; i < N; ++i) {
            int64_t j = static_cast<int64_t>(rng.nextDouble() * static_cast<double>(N) + 1.0);
            if (j > N) j = N;
            std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(j - 1)]);
        }
    };
    int64_t best = N + 1;
    auto keep = [&](const std::vector<int64_t>& sel) {
        best = static_cast<int64_t>(sel.size());
        t.found = true;
        t.best = best;
        t.improvements.push_back(best);
        t.bets.clear();
        for (int64_t s : sel) {
            Bet b;
            for (int j = 0; j < 6; ++j) b.numbers[j] = base[cond[static_cast<size_t>(s)][j] - 1];
            t.bets.push_back(b);
        }
    };
    auto finish = [&] {
        report(0);
        if (!t.found) t.best = N + 1;
        return t;
    };

    report(0);
    if (N == 0) return finish();

    const bool maxCoverage = k >= 5 || (k == 4 && n <= 22);
    if (maxCoverage) {
        std::vector<int64_t> cov(static_cast<size_t>(N), 0);
        if (full) {
            int64_t each = 1;
            if (k <= 5) each += 6 * (n - 6);
            if (k <= 4) each += 15 * binom(n - 6, 2);
            std::fill(cov.begin(), cov.end(), each);
        } else {
            for (int64_t b = 1; b <= N; ++b) {
                if (b % 500 == 0) {
                    report(fix(b, N));
                    if (stop) return finish();
                }
                for (int64_t y = 0; y < N; ++y)
                    if (near(b - 1, y)) ++cov[static_cast<size_t>(y)];
            }
        }
        const std::vector<int64_t> saved = cov;
        for (;;) {
            cov = saved;
            std::vector<int64_t> sel;
            int64_t covered = 0;
            bool abandoned = false;
            for (;;) {
                int64_t pick = -1, pickCov = -1;
                for (int64_t p = 0; p < N; ++p) {
                    const int64_t c = cov[static_cast<size_t>(order[static_cast<size_t>(p)])];
                    if (c > pickCov) {
                        pickCov = c;
                        pick = order[static_cast<size_t>(p)];
                    }
                }
                if (static_cast<int64_t>(sel.size()) + 1 >= best) {
                    abandoned = true;
                    break;
                }
                covered += pickCov;
                for (int64_t y = 0; y < N; ++y) {
                    if (!near(pick, y)) continue;
                    bool already = false;
                    for (int64_t s : sel)
                        if (near(s, y)) {
                            already = true;
                            break;
                        }
                    if (already) continue;
                    for (int64_t z = 0; z < N; ++z)
                        if (near(y, z)) --cov[static_cast<size_t>(z)];
                }
                sel.push_back(pick);
                const int a = fix(covered, N);
                report(a);
                if (stop) return finish();
                bool more;
                if (o.byBetCount == 0 || o.exactCount == 1) more = a < o.percentage;
                else if (a >= 100) more = false;
                else if (o.cycles) more = true;
                else more = static_cast<int64_t>(sel.size()) != o.betCount;
                if (!more) break;
            }
            countCycle();
            if (!abandoned && static_cast<int64_t>(sel.size()) < best) {
                keep(sel);
                if (best == 1 || (o.byBetCount == 1 && o.exactCount == 0 && best <= o.betCount)) return finish();
            }
            if (!o.cycles) return finish();
            shuffle();
        }
    }

    while (!stop) {
        std::vector<uint8_t> done(static_cast<size_t>(N), 0);
        std::vector<int64_t> sel;
        int64_t covered = 0, i = 0;
        int a = 0;
        bool abandoned = false;
        for (int64_t p = 1; p <= N; ++p) {
            report(a);
            if (p % 100 == 0 && stop) return finish();
            const int64_t b = order[static_cast<size_t>(p - 1)];
            if (!done[static_cast<size_t>(b)]) {
                done[static_cast<size_t>(b)] = 1;
                ++covered;
                ++i;
                if (i > best) {
                    abandoned = true;
                    break;
                }
                sel.push_back(b);
                for (int64_t q = 0; q < N; ++q)
                    if (!done[static_cast<size_t>(q)] && near(b, q)) {
                        done[static_cast<size_t>(q)] = 1;
                        ++covered;
                    }
            }
            a = fix(covered, N);
            if (o.byBetCount == 0 && a >= o.percentage) break;
            if (o.byBetCount == 1 && i == o.betCount && !o.cycles) break;
        }
        if (!abandoned && i < best) {
            keep(sel);
            if ((o.byBetCount == 0 && !o.cycles) || i == 1 || (o.byBetCount == 1 && o.exactCount == 0 && i <= o.betCount))
                return finish();
        }
        countCycle();
        report(0);
        shuffle();
    }
    return finish();
}

ReferenceGuarantees referenceGuarantees(const std::vector<std::vector<uint8_t>>& outcomes,
                                        const std::vector<std::vector<uint8_t>>& reduced)
{
    ReferenceGuarantees g;
    for (auto& row : g.minBets) row.fill(9999999);
    std::vector<uint64_t> bets;
    for (const auto& b : reduced) {
        uint64_t m = 0;
        for (uint8_t x : b) m |= uint64_t{1} << x;
        bets.push_back(m);
    }
    for (const auto& o : outcomes) {
        uint64_t mo = 0;
        for (uint8_t x : o) mo |= uint64_t{1} << x;
        std::array<int64_t, 7> cnt{};
        for (uint64_t b : bets) ++cnt[static_cast<size_t>(__builtin_popcountll(mo & b))];
        int h = 6;
        while (h > 0 && cnt[h] == 0) --h;
        ++g.cases[h];
        for (int j = h; j >= 0; --j) {
            g.minBets[h][j] = std::min(g.minBets[h][j], cnt[j]);
            g.maxBets[h][j] = std::max(g.maxBets[h][j], cnt[j]);
        }
    }
    return g;
}

// Every q-set of the base numbers in lexicographic order.
std::vector<Numbers> qSets(const Numbers& base, int q)
{
    std::vector<Numbers> out;
    std::vector<int> idx(static_cast<size_t>(q));
    for (int i = 0; i < q; ++i) idx[static_cast<size_t>(i)] = i;
    const int n = static_cast<int>(base.size());
    if (q > n) return out;
    for (;;) {
        Numbers s;
        for (int i : idx) s.push_back(base[static_cast<size_t>(i)]);
        out.push_back(s);
        int i = q - 1;
        while (i >= 0 && idx[static_cast<size_t>(i)] == n - q + i) --i;
        if (i < 0) break;
        ++idx[static_cast<size_t>(i)];
        for (int j = i + 1; j < q; ++j) idx[static_cast<size_t>(j)] = idx[static_cast<size_t>(j - 1)] + 1;
    }
    return out;
}

std::vector<Numbers> conditionedNumbers(const TestSystem& s)
{
    std::vector<Numbers> out;
    for (const auto& p : s.positions) {
        Numbers b;
        for (uint8_t x : p) b.push_back(s.base[x - 1]);
        out.push_back(b);
    }
    return out;
}

BetList betListOf(const std::vector<Numbers>& bets)
{
    BetList out(static_cast<int64_t>(bets.size()));
    for (size_t i = 0; i < bets.size(); ++i) {
        uint8_t* d = out.bet(static_cast<int64_t>(i) + 1);
        for (int j = 0; j < 6; ++j) d[j] = bets[i][static_cast<size_t>(j)];
        d[6] = 0;
    }
    return out;
}

// Random bets: mostly base numbers, sometimes numbers outside it, sometimes repeated bets.
std::vector<Numbers> randomReduced(Rng& rng, const Numbers& base, int count)
{
    std::vector<Numbers> out;
    for (int i = 0; i < count; ++i) {
        if (!out.empty() && rng.below(10) == 0) {
            out.push_back(out[static_cast<size_t>(rng.below(static_cast<int64_t>(out.size())))]);
            continue;
        }
        Numbers b;
        while (b.size() < 6) {
            const uint8_t v = rng.below(5) == 0 ? static_cast<uint8_t>(1 + rng.below(49))
                                                : base[static_cast<size_t>(rng.below(static_cast<int64_t>(base.size())))];
            if (std::find(b.begin(), b.end(), v) == b.end()) b.push_back(v);
        }
        std::sort(b.begin(), b.end());
        out.push_back(b);
    }
    return out;
}

} // namespace kombitron::test
