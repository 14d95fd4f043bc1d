#include "engine/holes.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <stdexcept>

#include <omp.h>

#include "core/format.h"
#include "core/paths.h"
#include "engine/subset_rank.h"

namespace kombitron {

namespace {

using Mask = uint64_t;
using subsets::BitSet;
using subsets::patterns;
using subsets::pick;

constexpr const char* kLineBreak = "\r\n";

inline Mask bit(int e) { return Mask{1} << e; }
inline int lowest(Mask m) { return __builtin_ctzll(m); }
inline int popcount(Mask m) { return __builtin_popcountll(m); }


// Which subsets of the base positions lie inside some reduced bet (the bets cut down to their
// base numbers), one bit set per subset size; and for the hole threshold h, per (h-1)-subset P
// the mask of the positions z for which P + z lies inside a bet. With those masks the outcomes
// that hold no such h-subset are enumerated directly, a few mask operations per partial outcome.
class Tables {
public:
    Tables(const HolesInputs& in, int q, int h, const StopToken& stop) : n_(static_cast<int>(in.baseNumbers.size())), q_(q), h_(h)
    {
        int index[64];
        std::fill(std::begin(index), std::end(index), -1);
        for (int i = 0; i < n_; ++i) index[in.baseNumbers[static_cast<size_t>(i)]] = i;
        for (int m = 0; m <= 6; ++m) held_[m] = BitSet(subsets::choose(n_, m));
        if (pruning()) ext_.assign(static_cast<size_t>(subsets::choose(n_, h_ - 1)), 0);
        const int64_t count = in.reduced.size();
        std::atomic<bool> stopped{false};
#pragma omp parallel for schedule(static) if (count > 20000)
        for (int64_t b = 1; b <= count; ++b) {
            if ((b & 0xFFF) == 0 && stop.stopRequested()) stopped.store(true, std::memory_order_relaxed);
            if (stopped.load(std::memory_order_relaxed)) continue;
            const uint8_t* numbers = in.reduced.bet(b);
            Mask mask = 0;
            for (int j = 0; j < 6; ++j)
                if (numbers[j] < 64 && index[numbers[j]] >= 0) mask |= bit(index[numbers[j]]);
            uint8_t e[6];
            const int size = subsets::elementsOfMask(mask, e);
            for (unsigned pattern = 0; pattern < (1u << size); ++pattern) {
                const Mask s = pick(e, pattern);
                const int m = popcount(s);
                const uint32_t r = subsets::colexRankOfMask(s);
                __atomic_fetch_or(held_[m].words() + (r >> 6), uint64_t{1} << (r & 63), __ATOMIC_RELAXED);
                if (pruning() && m == h_)
                    for (Mask rest = s; rest; rest &= rest - 1) {
                        const Mask z = rest & (~rest + 1);
                        __atomic_fetch_or(ext_.data() + subsets::colexRankOfMask(s ^ z), z, __ATOMIC_RELAXED);
                    }
            }
        }
        stopped_ = stopped.load();
    }

    bool stopped() const { return stopped_; }
    int n() const { return n_; }

    // With a threshold above the level no outcome can reach it: nothing to prune.
    bool pruning() const { return h_ >= 1 && h_ <= q_; }

    bool held(Mask s) const { return held_[popcount(s)].test(subsets::colexRankOfMask(s)); }

    // Hits of the best bet on an outcome: the largest subset of it inside some bet.
    int bestHits(Mask outcome) const
    {
        uint8_t e[6];
        const int size = subsets::elementsOfMask(outcome, e);
        for (int m = size; m >= 1; --m)
            for (uint8_t pattern : patterns().of[size][m])
                if (held(pick(e, pattern))) return m;
        return 0;
    }

    bool isHole(Mask outcome) const
    {
        if (!pruning()) return h_ >= 1;
        uint8_t e[6];
        const int size = subsets::elementsOfMask(outcome, e);
        for (uint8_t pattern : patterns().of[size][h_])
            if (held_[h_].test(subsets::colexRankOfMask(pick(e, pattern)))) return false;
        return true;
    }

    // The positions that would complete, with the outcome part s (elements e[0..size-1]) and the
    // position r just added, an h-subset inside some bet.
    Mask forbiddenBy(const uint8_t* e, int size, int r) const
    {
        if (!pruning() || h_ == 1) return 0;
        Mask f = 0;
        for (uint8_t pattern : patterns().of[size][h_ - 2]) f |= ext_[subsets::colexRankOfMask(pick(e, pattern) | bit(r))];
        return f;
    }

    // The positions forbidden from the start: for h = 1 every position of a bet.
    Mask forbiddenAlways() const { return pruning() && h_ == 1 ? ext_[0] : 0; }

    // The q-sets that extend s (elements e[0..size-1], below `low`) with positions from `low` up
    // outside `forbidden`, in lexicographic order: the holes with that beginning. Returns how many;
    // with List each goes to visit, which returns false to end the walk.
    template <bool List, class Visit>
    int64_t grow(Mask s, uint8_t* e, int size, Mask forbidden, int low, Visit& visit) const
    {
        const int remaining = q_ - size;
        if (remaining == 0) {
            if constexpr (List) visit(s);
            return 1;
        }
        const Mask all = n_ == 64 ? ~Mask{0} : bit(n_) - 1;
        Mask candidates = all & ~forbidden & (low >= 64 ? 0 : ~Mask{0} << low);
        if (remaining == 1 && !List) return popcount(candidates);
        int64_t found = 0;
        for (; candidates; candidates &= candidates - 1) {
            const int r = lowest(candidates);
            if (popcount(candidates) - 1 < remaining - 1) break;
            e[size] = static_cast<uint8_t>(r);
            found += grow<List>(s | bit(r), e, size + 1, forbidden | forbiddenBy(e, size, r), r + 1, visit);
        }
        return found;
    }

private:
    int n_, q_, h_;
    BitSet held_[7];
    std::vector<Mask> ext_;
    bool stopped_ = false;
};

struct EnoughListed {};

Hole holeOf(Mask outcome, const std::vector<uint8_t>& base, int bestHits)
{
    Hole hole;
    for (Mask m = outcome; m; m &= m - 1) hole.numbers[static_cast<size_t>(hole.size++)] = base[static_cast<size_t>(lowest(m))];
    hole.bestHits = bestHits;
    return hole;
}

// Progress from the calling thread (thread 0 of a team) only.
class SharedProgress {
public:
    SharedProgress(Progress& progress, int64_t total) : progress_(progress), total_(total) {}
    void add(int64_t done)
    {
        const int64_t now = done_.fetch_add(done, std::memory_order_relaxed) + done;
        if (omp_get_thread_num() == 0) progress_.report(std::min(now, total_), total_);
    }

private:
    Progress& progress_;
    int64_t total_;
    std::atomic<int64_t> done_{0};
};

constexpr Mask kNoHole = ~Mask{0};

// A beginning of outcomes walked by one task: its first positions and what they forbid.
struct Task {
    uint8_t e[6] = {};
    int size = 0;
    Mask s = 0;
    Mask forbidden = 0;
    int64_t outcomes = 0;       // q-sets with this beginning, for the progress
    int64_t holes = 0;
};

// Every q-set as tasks by its first two positions (one for q = 1, the first position for q = 2);
// beginnings that already hold an h-subset inside a bet have no hole and are left out.
std::vector<Task> totalTasks(const Tables& t, int q)
{
    const int n = t.n();
    const int lead = std::min(q - 1, 2);
    std::vector<Task> tasks;
    Task root;
    root.forbidden = t.forbiddenAlways();
    auto add = [&](auto&& self, const Task& task) -> void {
        if (task.size == lead) {
            Task done = task;
            const int last = task.size ? task.e[task.size - 1] : -1;
            done.outcomes = static_cast<int64_t>(subsets::choose(n - 1 - last, q - task.size));
            tasks.push_back(done);
            return;
        }
        for (int r = task.size ? task.e[task.size - 1] + 1 : 0; r < n; ++r) {
            if ((task.forbidden >> r) & 1) {
                // No outcome beginning here is a hole; they still count toward the progress.
                Task skipped;
                skipped.s = kNoHole;
                skipped.outcomes = static_cast<int64_t>(subsets::choose(n - 1 - r, q - task.size - 1));
                tasks.push_back(skipped);
                continue;
            }
            Task next = task;
            next.e[next.size++] = static_cast<uint8_t>(r);
            next.s = task.s | bit(r);
            next.forbidden = task.forbidden | t.forbiddenBy(task.e, task.size, r);
            self(self, next);
        }
    };
    add(add, root);
    return tasks;
}

void checkInputs(const HolesInputs& in, bool conditionedScope)
{
    const int n = static_cast<int>(in.baseNumbers.size());
    if (n < 1 || n > kMaxNumber) throw std::invalid_argument("la base debe tener entre 1 y 49 números");
    for (int i = 0; i < n; ++i) {
        const int v = in.baseNumbers[static_cast<size_t>(i)];
        if (v < kMinNumber || v > kMaxNumber || (i > 0 && v <= in.baseNumbers[static_cast<size_t>(i - 1)]))
            throw std::invalid_argument("la base tiene números no válidos");
    }
    if (!conditionedScope) return;
    for (int64_t s = 1; s <= in.conditioned.size(); ++s) {
        const uint8_t* b = in.conditioned.bet(s);
        for (int j = 0; j < 6; ++j)
            if (b[j] < 1 || b[j] > n || (j > 0 && b[j] <= b[j - 1]))
                throw std::invalid_argument("el sistema condicionado tiene una apuesta no válida");
    }
}

void totalHoles(const HolesInputs& in, const Tables& t, int q, HolesResult& result, Progress& progress,
                const StopToken& stop)
{
    std::vector<Task> tasks = totalTasks(t, q);
    const int64_t count = static_cast<int64_t>(tasks.size());
    SharedProgress shared(progress, result.outcomes);
    std::atomic<bool> stopped{false};
    auto none = [](Mask) {};
#pragma omp parallel for schedule(dynamic, 1) if (result.outcomes > 200000)
    for (int64_t i = 0; i < count; ++i) {
        if (stopped.load(std::memory_order_relaxed)) continue;
        if (stop.stopRequested()) {
            stopped.store(true, std::memory_order_relaxed);
            continue;
        }
        Task& task = tasks[static_cast<size_t>(i)];
        if (task.s != kNoHole) {
            uint8_t e[6];
            std::copy(task.e, task.e + 6, e);
            task.holes = t.grow<false>(task.s, e, task.size, task.forbidden, task.size ? task.e[task.size - 1] + 1 : 0, none);
        }
        shared.add(task.outcomes);
    }
    if (stopped.load()) {
        result.markStopped();
        return;
    }
    // The listed holes: the first ones in lexicographic order, task after task.
    for (Task& task : tasks) {
        if (static_cast<int64_t>(result.holes.size()) >= kHolesListed) break;
        if (task.s == kNoHole || task.holes == 0) continue;
        if (stop.stopRequested()) {
            result.markStopped();
            return;
        }
        auto list = [&](Mask outcome) {
            result.holes.push_back(holeOf(outcome, in.baseNumbers, t.bestHits(outcome)));
            if (static_cast<int64_t>(result.holes.size()) >= kHolesListed) throw EnoughListed{};
        };
        uint8_t e[6];
        std::copy(task.e, task.e + 6, e);
        try {
            t.grow<true>(task.s, e, task.size, task.forbidden, task.size ? task.e[task.size - 1] + 1 : 0, list);
        } catch (const EnoughListed&) {
        }
    }
    for (const Task& task : tasks) result.holeCount += task.holes;
}

void conditionedHoles(const HolesInputs& in, const Tables& t, HolesResult& result, Progress& progress,
                      const StopToken& stop)
{
    const IndexBetList& list = in.conditioned;
    const int64_t total = list.size();
    constexpr int64_t kChunk = 8192;
    const int64_t chunks = (total + kChunk - 1) / kChunk;
    std::vector<int64_t> holes(static_cast<size_t>(chunks), 0);
    SharedProgress shared(progress, total);
    std::atomic<bool> stopped{false};
    auto maskOf = [&](int64_t s) {
        const uint8_t* b = list.bet(s);
        Mask m = 0;
        for (int j = 0; j < 6; ++j) m |= bit(b[j] - 1);
        return m;
    };
#pragma omp parallel for schedule(dynamic, 1) if (total > 2 * kChunk)
    for (int64_t c = 0; c < chunks; ++c) {
        if (stopped.load(std::memory_order_relaxed)) continue;
        if (stop.stopRequested()) {
            stopped.store(true, std::memory_order_relaxed);
            continue;
        }
        const int64_t first = c * kChunk + 1, last = std::min(total, first + kChunk - 1);
        int64_t found = 0;
        for (int64_t s = first; s <= last; ++s) found += t.isHole(maskOf(s));
        holes[static_cast<size_t>(c)] = found;
        shared.add(last - first + 1);
    }
    if (stopped.load()) {
        result.markStopped();
        return;
    }
    for (int64_t c = 0; c < chunks && static_cast<int64_t>(result.holes.size()) < kHolesListed; ++c) {
        if (holes[static_cast<size_t>(c)] == 0) continue;
        const int64_t first = c * kChunk + 1, last = std::min(total, first + kChunk - 1);
        for (int64_t s = first; s <= last && static_cast<int64_t>(result.holes.size()) < kHolesListed; ++s) {
            const Mask m = maskOf(s);
            if (t.isHole(m)) result.holes.push_back(holeOf(m, in.baseNumbers, t.bestHits(m)));
        }
    }
    for (int64_t h : holes) result.holeCount += h;
}

const char* scopeCaption(GuaranteeScope scope)
{
    switch (scope) {
    case GuaranteeScope::Total: return "Garantías sobre el SISTEMA TOTAL";
    case GuaranteeScope::Imported: return "Garantías sobre el SISTEMA IMPORTADO";
    default: return "Garantías sobre el SISTEMA CONDICIONADO";
    }
}

int levelOf(const HolesInputs& in)
{
    if (in.scope != GuaranteeScope::Total) return 6;
    return in.level >= 1 && in.level <= 6 ? in.level : 6;
}

} // namespace

HolesResult runHoles(const HolesInputs& inputs, Progress& progress, const StopToken& stop)
{
    return guardJob<HolesResult>([&](HolesResult& result) {
        const bool conditionedScope = inputs.scope != GuaranteeScope::Total;
        checkInputs(inputs, conditionedScope);
        progress.caption(kHolesCaption);
        const int q = levelOf(inputs);
        const int n = static_cast<int>(inputs.baseNumbers.size());
        result.outcomes = conditionedScope ? inputs.conditioned.size() : static_cast<int64_t>(subsets::choose(n, q));
        progress.report(0, result.outcomes);
        if (inputs.fewerThan <= 0 || result.outcomes == 0) {
            progress.report(result.outcomes, result.outcomes);
            return;
        }
        const int h = std::min(inputs.fewerThan, q + 1);
        const Tables tables(inputs, q, h, stop);
        if (tables.stopped()) {
            result.markStopped();
            return;
        }
        if (conditionedScope) conditionedHoles(inputs, tables, result, progress, stop);
        else totalHoles(inputs, tables, q, result, progress, stop);
        if (result.stopped()) {
            result.holeCount = 0;
            result.holes.clear();
            return;
        }
        progress.report(result.outcomes, result.outcomes);
    });
}

std::string holesReportText(const HolesResult& result, const HolesInputs& inputs)
{
    const int q = levelOf(inputs);
    std::string text = "HUECOS DEL SISTEMA REDUCIDO (" + formatCount(inputs.reduced.size()) + " Apuestas)" + kLineBreak;
    text += std::string(scopeCaption(inputs.scope)) + ", si " + std::to_string(q) + " Aciertos" + kLineBreak;
    text += "Casos con menos de " + std::to_string(std::max(inputs.fewerThan, 0)) + " aciertos en la mejor apuesta: " +
            formatCount(result.holeCount) + " de " + formatCount(result.outcomes) + kLineBreak;
    if (result.holeCount > static_cast<int64_t>(result.holes.size()))
        text += "Se muestran los " + formatCount(static_cast<int64_t>(result.holes.size())) + " primeros." + kLineBreak;
    text += kLineBreak;
    for (const Hole& hole : result.holes) {
        for (int j = 0; j < hole.size; ++j) {
            if (j) text += ',';
            text += formatTwoDigits(hole.numbers[static_cast<size_t>(j)]);
        }
        text += "  " + std::to_string(hole.bestHits) + (hole.bestHits == 1 ? " acierto" : " aciertos") + kLineBreak;
    }
    return text;
}

std::string holesReportPath()
{
    return (std::filesystem::path(applicationFolder()) / kHolesReportFileName).string();
}

bool writeHolesReport(const HolesResult& result, const HolesInputs& inputs, std::string& path, std::string& failure)
{
    path = holesReportPath();
    return writeFileAtomically(path, holesReportText(result, inputs), failure);
}

} // namespace kombitron
