#include "engine/optimiser.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>
#include <stdexcept>

#include <omp.h>

#include "core/random.h"
#include "engine/subset_rank.h"

namespace kombitron {

int64_t requiredCoveredBets(int64_t total, int percentage)
{
    if (total <= 0) return 0;
    percentage = std::clamp(percentage, 0, 100);
    // Fix(c / total x 100) grows with c; find its first c at or above the percentage.
    auto reaches = [&](int64_t c) {
        return static_cast<int>(static_cast<double>(c) / static_cast<double>(total) * 100.0) >= percentage;
    };
    int64_t low = 0, high = total;
    while (low < high) {
        const int64_t mid = low + (high - low) / 2;
        if (reaches(mid)) high = mid;
        else low = mid + 1;
    }
    return low;
}

namespace {

using Mask = uint64_t;
using subsets::BitSet;
using subsets::patterns;
using subsets::pick;
using Clock = std::chrono::steady_clock;

enum class Mode { Count, Apply };

// Up to this many listed uncovered bets, a move's gain is counted on the list itself.
constexpr size_t kScanned = 256;

// The annealing's temperature, the same all along. A move that uncovers one bet more than it
// covers is kept about one time in eighteen, two more one time in three hundred: enough to
// wander off a plateau, too little to undo a good system.
constexpr double kTemperature = 0.35;
// Candidate moves weighed per step: one, as weighing more did not pay for its time.
constexpr int kSamples = 1;

inline Mask bit(int e) { return Mask{1} << e; }
// Counted by halves, quarters and bytes: the program is built for any x86-64, where the
// compiler's own popcount is a library call, and the search counts bits in its innermost loop.
inline int popcount(Mask m)
{
    m -= (m >> 1) & 0x5555555555555555ull;
    m = (m & 0x3333333333333333ull) + ((m >> 2) & 0x3333333333333333ull);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((m * 0x0101010101010101ull) >> 56);
}
inline int lowest(Mask m) { return __builtin_ctzll(m); }


const uint64_t (*const kBinomial)[8] = subsets::binomialRows();

// How many numbers each bet shares with c; with the processor's own bit count where it has
// one (the scan runs over the whole system at every move).
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("popcnt"))) void sharesCounted(const Mask* bets, size_t count, Mask c, uint8_t* out)
{
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(__builtin_popcountll(bets[i] & c));
}
#endif

void sharesPortable(const Mask* bets, size_t count, Mask c, uint8_t* out)
{
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(popcount(bets[i] & c));
}

using SharesFunction = void (*)(const Mask*, size_t, Mask, uint8_t*);

SharesFunction sharesFunction()
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (__builtin_cpu_supports("popcnt")) return sharesCounted;
#endif
    return sharesPortable;
}

const SharesFunction shares = sharesFunction();

// Colex rank of a set among the sets of its size.
inline uint32_t rankOf(Mask m)
{
    uint64_t r = 0;
    for (int j = 1; m; ++j, m &= m - 1) r += kBinomial[lowest(m)][j];
    return static_cast<uint32_t>(r);
}

// What every search reads and none changes. The outcomes to cover are the conditioned bets; the
// parts of a construction (below) cover every `points`-set of their numbers instead.
struct Problem {
    int n = 0;
    int k = 3;
    int points = 6;                   // numbers of an outcome; bets always have six
    Mask all = 0;                     // the n base positions
    int64_t total = 0;                // outcomes (conditioned bets)
    bool full = false;                // every 6-set of the base is conditioned (every points-set is an outcome)
    BitSet conditioned;               // by rank of the 6-set; unused when full
    bool byCount = false;
    int64_t allowed = 0;              // uncovered bets a system may leave (Coverage)
    int64_t cap = std::numeric_limits<int64_t>::max(); // most bets (BetCount)
    const uint64_t (*bin)[8] = nullptr;

    bool isConditioned(Mask c) const { return full || conditioned.test(rankOf(c)); }

    bool isOutcome(Mask c) const { return full || conditioned.test(rankOf(c)); }

    // The outcome of a rank.
    Mask unrank(uint32_t r) const
    {
        Mask m = 0;
        int e = n - 1;
        for (int j = points; j >= 1; --j) {
            while (bin[e][j] > r) --e;
            r -= static_cast<uint32_t>(bin[e][j]);
            m |= bit(e);
            --e;
        }
        return m;
    }
};

// How good a system is, by the order runOptimiser promises.
struct Quality {
    int64_t bets = 0;
    int64_t uncovered = 0;
};

bool better(const Problem& p, const Quality& a, const Quality& b)
{
    if (p.byCount) {
        const bool fa = a.bets <= p.cap, fb = b.bets <= p.cap;
        if (fa != fb) return fa;
        if (a.uncovered != b.uncovered) return a.uncovered < b.uncovered;
        return a.bets < b.bets;
    }
    const bool ma = a.uncovered <= p.allowed, mb = b.uncovered <= p.allowed;
    if (ma != mb) return ma;
    if (ma) {
        if (a.bets != b.bets) return a.bets < b.bets;
        return a.uncovered < b.uncovered;
    }
    if (a.uncovered != b.uncovered) return a.uncovered < b.uncovered;
    return a.bets < b.bets;
}

// The state of one search. A conditioned bet is covered when one of its k-subsets lies inside a
// system bet, so the state is kept per k-subset: how many system bets hold it, and, per
// (k-1)-subset P, the mask of the elements z for which P + z is held ("extensions"). From those
// masks the outcomes that contain a given k-subset and no other held one are enumerated with a
// few mask operations per partial set, which makes the effect of a move exact and cheap: a move
// changes at most C(5, k-1) k-subsets each way, and an outcome changes state only when the last
// held k-subset it has goes, or when the first one comes.
class Search {
public:
    explicit Search(const Problem& p)
        : p_(&p), count_(static_cast<size_t>(subsets::choose(p.n, p.k)), 0u),
          ext_(static_cast<size_t>(subsets::choose(p.n, p.k - 1)), 0),
          inSystem_(subsets::choose(p.n, 6)), uncovered_(subsets::choose(p.n, p.points)),
          listed_(subsets::choose(p.n, p.points)),
          kSubsets_(&patterns().of[6][p.k]), partnersOfA_(&patterns().of[5][p.k - 1])
    {
        for (int size = 0; size <= 6; ++size) partners_[static_cast<size_t>(size)] = &patterns().of[size][p.k - 2];
    }

    // Take the system and find what it leaves uncovered; false when the stop was seen.
    bool load(const std::vector<Mask>& bets, const StopToken& stop, const IndexBetList& conditioned)
    {
        for (Mask b : bets) insertBet(b);
        return findUncovered(stop, conditioned);
    }

    int64_t size() const { return static_cast<int64_t>(bets_.size()); }
    int64_t uncovered() const { return uncovered_count_; }
    Quality quality() const { return {size(), uncovered_count_}; }
    const std::vector<Mask>& bets() const { return bets_; }
    void seed(uint64_t s) { rng_.reseed(s); }

    // Add the conditioned bet c to the system.
    void add(Mask c)
    {
        change<Mode::Apply>(0, c);
        bets_.push_back(c);
        inSystem_.set(rankOf(c));
    }

    // Add uncovered conditioned bets until `enough` says so (or none is left); false when the
    // stop was seen first.
    template <class Enough>
    bool fill(Enough&& enough, const StopToken& stop)
    {
        while (uncovered_count_ > 0 && !enough()) {
            if (stop.stopRequested()) return false;
            Mask c = p_->unrank(pickUncovered());
            // An outcome of fewer numbers joins as a bet with others taken at random.
            while (popcount(c) < 6 || inSystem_.test(rankOf(c))) {
                if (popcount(c) == 6) c &= ~bit(nth(c, rng_.below(6)));
                const Mask free = p_->all & ~c;
                c |= bit(nth(free, rng_.below(popcount(free))));
            }
            add(c);
        }
        return true;
    }

    // Remove the bet whose removal uncovers fewest conditioned bets (the first such bet).
    // False when the stop was seen before it was chosen.
    bool dropCheapest(const StopToken& stop)
    {
        if (bets_.empty()) return true;
        size_t chosen = 0;
        int64_t least = std::numeric_limits<int64_t>::max();
        for (size_t i = 0; i < bets_.size(); ++i) {
            if ((i & 1023) == 1023 && stop.stopRequested()) return false;
            const int64_t loss = change<Mode::Count>(bets_[i], 0);
            if (loss < least) {
                least = loss;
                chosen = i;
                if (loss == 0) break;
            }
        }
        const Mask gone = bets_[chosen];
        change<Mode::Apply>(gone, 0);
        inSystem_.reset(rankOf(gone));
        bets_.erase(bets_.begin() + static_cast<std::ptrdiff_t>(chosen));
        return true;
    }

    // One move of the annealing: an uncovered conditioned bet c is chosen at random, and a
    // system bet sharing k - 1 numbers with it has one of its other numbers replaced by one of
    // c's, so that c becomes covered; the move is kept when it uncovers no more than it covers,
    // or by chance as the temperature allows.
    void anneal(double temperature)
    {
        if (uncovered_count_ == 0 || bets_.empty()) return;
        if (list_.size() > 2 * static_cast<size_t>(uncovered_count_) + 32) compactList();
        const Mask c = p_->unrank(pickUncovered());
        shared_.resize(bets_.size());
        shares(bets_.data(), bets_.size(), c, shared_.data());
        const int share = *std::max_element(shared_.begin(), shared_.end());
        near_.clear();
        for (size_t i = 0; i < bets_.size(); ++i)
            if (shared_[i] == share) near_.push_back(static_cast<uint32_t>(i));
        // The Metropolis rule drawn ahead: a move is kept when it uncovers at most `limit` more
        // bets than it covers. Knowing it, the count of a worse move stops early.
        const double u = rng_.nextDouble();
        int64_t limit = 0;
        if (temperature > 0 && u > 0) limit = std::max<int64_t>(0, static_cast<int64_t>(std::ceil(-temperature * std::log(u))) - 1);
        // Sharing fewer than k - 1 numbers, the move takes the bet one number closer to c.
        // Of kSamples such moves the one that uncovers least is the candidate.
        size_t chosen = 0;
        Mask next = 0;
        int64_t least = limit + 1;
        int tried = 0;
        for (int attempt = 0; attempt < 4 * kSamples && tried < kSamples; ++attempt) {
            const size_t i = near_[static_cast<size_t>(rng_.below(static_cast<int64_t>(near_.size())))];
            const Mask s = bets_[i];
            const int a = nth(s & ~c, rng_.below(popcount(s & ~c)));
            const int b = nth(c & ~s, rng_.below(popcount(c & ~s)));
            const Mask moved = s ^ bit(a) ^ bit(b);
            if (!p_->isConditioned(moved) || inSystem_.test(rankOf(moved))) continue;
            ++tried;
            const int64_t delta = swapDelta(s, a, b, least - 1);
            if (delta < least) {
                least = delta;
                chosen = i;
                next = moved;
            }
        }
        if (!tried && p_->points == 6) {
            // No neighbour of those bets is conditioned and new: one of them jumps to c itself.
            const size_t i = near_[static_cast<size_t>(rng_.below(static_cast<int64_t>(near_.size())))];
            const int64_t delta = change<Mode::Count>(bets_[i], c, limit);
            if (delta <= limit) {
                least = delta;
                chosen = i;
                next = c;
            }
        }
        if (least > limit) return;
        const Mask s = bets_[chosen];
        change<Mode::Apply>(s, next);
        inSystem_.reset(rankOf(s));
        inSystem_.set(rankOf(next));
        bets_[chosen] = next;
    }

private:
    static int nth(Mask m, int64_t index)
    {
        for (int64_t i = 0; i < index; ++i) m &= m - 1;
        return lowest(m);
    }

    void insertBet(Mask b)
    {
        uint8_t e[6];
        subsets::elementsOfMask(b, e);
        for (uint8_t pattern : *kSubsets_) {
            const Mask K = pick(e, pattern);
            if (count_[rankOf(K)]++ == 0) toggle(K);
        }
        bets_.push_back(b);
        inSystem_.set(rankOf(b));
    }

    // Switch a k-subset's bit in the extension masks of its (k-1)-subsets.
    void toggle(Mask K)
    {
        for (Mask rest = K; rest; rest &= rest - 1) {
            const Mask z = rest & (~rest + 1);
            ext_[rankOf(K ^ z)] ^= z;
        }
    }

    // The uncovered conditioned bets of the loaded system.
    bool findUncovered(const StopToken& stop, const IndexBetList& conditioned)
    {
        list_.clear();
        if (p_->full) {
            // Every 6-set with no held k-subset, straight from the extension masks.
            struct StopSeen {};
            uint8_t none[6] = {};
            int64_t seen = 0;
            auto mark = [&](Mask c) {
                if ((++seen & 0xFFFF) == 0 && stop.stopRequested()) throw StopSeen{};
                markUncovered(c);
            };
            try {
                extend<true>(0, none, 0, 0, 0, p_->points, mark);
            } catch (const StopSeen&) {
                return false;
            }
            uncovered_count_ = seen;
            return true;
        }
        const int64_t total = conditioned.size();
        const int threads = omp_get_max_threads();
        std::vector<std::vector<uint32_t>> found(static_cast<size_t>(threads));
        std::atomic<bool> stopped{false};
        const uint8_t* rows = conditioned.data();
        const auto& kSubsets = patterns().of[6][p_->k];
#pragma omp parallel num_threads(threads) if (total > 50000)
        {
            std::vector<uint32_t>& mine = found[static_cast<size_t>(omp_get_thread_num())];
#pragma omp for schedule(static)
            for (int64_t s = 0; s < total; ++s) {
                if ((s & 0x3FFF) == 0 && stop.stopRequested()) stopped.store(true, std::memory_order_relaxed);
                if (stopped.load(std::memory_order_relaxed)) continue;
                const uint8_t* b = rows + s * kBetBytes;
                uint8_t e[6];
                for (int j = 0; j < 6; ++j) e[j] = static_cast<uint8_t>(b[j] - 1);
                bool covered = false;
                for (uint8_t pattern : kSubsets)
                    if (count_[rankOf(pick(e, pattern))] != 0) {
                        covered = true;
                        break;
                    }
                if (!covered) {
                    Mask m = 0;
                    for (int j = 0; j < 6; ++j) m |= bit(e[j]);
                    mine.push_back(rankOf(m));
                }
            }
        }
        if (stopped.load()) return false;
        // Static schedule: thread t had the t-th block, so the lists join in conditioned order.
        uncovered_count_ = 0;
        for (const auto& part : found)
            for (uint32_t r : part) {
                uncovered_.set(r);
                listed_.set(r);
                list_.push_back(r);
                ++uncovered_count_;
            }
        return true;
    }

    void markUncovered(Mask c)
    {
        const uint32_t r = rankOf(c);
        uncovered_.set(r);
        if (listed_.insert(r)) list_.push_back(r);
    }

    void markCovered(Mask c) { uncovered_.reset(rankOf(c)); }

    // Drop the entries of bets covered since they were listed.
    void compactList()
    {
        size_t kept = 0;
        for (uint32_t r : list_) {
            if (uncovered_.test(r)) list_[kept++] = r;
            else listed_.reset(r);
        }
        list_.resize(kept);
    }

    // A random uncovered conditioned bet (one must exist). Entries of bets covered since they
    // were listed are dropped on the way.
    uint32_t pickUncovered()
    {
        for (;;) {
            const size_t i = static_cast<size_t>(rng_.below(static_cast<int64_t>(list_.size())));
            const uint32_t r = list_[i];
            if (uncovered_.test(r)) return r;
            listed_.reset(r);
            list_[i] = list_.back();
            list_.pop_back();
        }
    }

    // Every conditioned 6-set that grows s (elements e[0..size-1]) by `remaining` elements from
    // `low` up, none in `forbidden`, such that no k-subset holding a new element is held by the
    // system. `forbidden` already holds the elements that would complete a held k-subset with
    // s; each new element r adds those completing one with r and k - 2 elements before it.
    // Returns how many; with List, each is given to visit.
    template <bool List, class Visit>
    int64_t extend(Mask s, uint8_t* e, int size, Mask forbidden, int low, int remaining, Visit& visit) const
    {
        Mask candidates = p_->all & ~s & ~forbidden & (~Mask{0} << low);
        if (remaining == 1) {
            if (!List && p_->full) return popcount(candidates);
            int64_t found = 0;
            for (; candidates; candidates &= candidates - 1) {
                const Mask c = s | (candidates & (~candidates + 1));
                if (!p_->isOutcome(c)) continue;
                ++found;
                if constexpr (List) visit(c);
            }
            return found;
        }
        int64_t found = 0;
        const std::vector<uint8_t>& partners = *partners_[static_cast<size_t>(size)];
        // The last candidate has nothing above it to go on with.
        for (; candidates & (candidates - 1); candidates &= candidates - 1) {
            const int r = lowest(candidates);
            Mask f = forbidden;
            for (uint8_t pattern : partners) f |= ext_[rankOf(pick(e, pattern) | bit(r))];
            e[size] = static_cast<uint8_t>(r);
            found += extend<List>(s | bit(r), e, size + 1, f, r + 1, remaining - 1, visit);
        }
        return found;
    }

    // The conditioned 6-sets holding the k-subset K and no other held k-subset.
    template <bool List, class Visit>
    int64_t alone(Mask K, Visit& visit, Mask avoid = 0) const
    {
        const int k = p_->k;
        if (k == p_->points) {
            if ((K & avoid) || !p_->isOutcome(K)) return 0;
            if constexpr (List) visit(K);
            return 1;
        }
        uint8_t e[6];
        subsets::elementsOfMask(K, e);
        Mask forbidden = avoid;
        for (Mask rest = K; rest; rest &= rest - 1) forbidden |= ext_[rankOf(K ^ (rest & (~rest + 1)))];
        return extend<List>(K, e, k, forbidden, 0, p_->points - k, visit);
    }

    // The change in uncovered conditioned bets when b takes the place of a in the system bet s,
    // exact when it is at most `limit` (otherwise some value above it). With few bets uncovered
    // it needs no trial: the bets it covers are the uncovered ones sharing k numbers with the
    // new bet, and a bet it uncovers holds one of s's k-subsets with a, no other held k-subset,
    // and not b (with b it shares the other k - 1 numbers and b with the new bet).
    int64_t swapDelta(Mask s, int a, int b, int64_t limit)
    {
        const Mask next = s ^ bit(a) ^ bit(b);
        if (list_.size() > kScanned) return change<Mode::Count>(s, next, limit);
        int64_t delta = 0;
        for (uint32_t r : list_)
            if (uncovered_.test(r) && popcount(p_->unrank(r) & next) >= p_->k) --delta;
        uint8_t e[6];
        subsets::elementsOfMask(s ^ bit(a), e);
        Mask gone[10];
        uint32_t goneRank[10];
        int goneCount = 0;
        auto none = [](Mask) {};
        for (uint8_t pattern : *partnersOfA_) {
            const Mask K = pick(e, pattern) | bit(a);
            const uint32_t r = rankOf(K);
            if (count_[r] != 1) continue;
            count_[r] = 0;
            toggle(K);
            gone[goneCount] = K;
            goneRank[goneCount++] = r;
            delta += alone<false>(K, none, bit(b));
            if (delta > limit) break;
        }
        for (int i = 0; i < goneCount; ++i) {
            count_[goneRank[i]] = 1;
            toggle(gone[i]);
        }
        return delta;
    }

    // Replace the system bet `out` by `in` (0 for none) and return the change in uncovered
    // conditioned bets. With Apply the change stays and the uncovered set follows it; with Count
    // every count is restored, and the counting ends as soon as the change exceeds `limit`
    // (the value returned is then above it but not the whole change). k-subsets are added one
    // at a time and then taken away one at a time: each conditioned bet changes state exactly
    // when its first held k-subset comes or its last one goes, so the sum of the steps is the
    // exact change.
    template <Mode M>
    int64_t change(Mask out, Mask in, int64_t limit = std::numeric_limits<int64_t>::max())
    {
        constexpr bool Apply = M == Mode::Apply;
        const std::vector<uint8_t>& kSubsets = *kSubsets_;
        Mask gone[20], come[20];
        uint32_t goneRank[20], comeRank[20];
        int goneCount = 0, comeCount = 0;
        int64_t delta = 0;
        auto lost = [&](Mask c) { markUncovered(c); };
        auto won = [&](Mask c) { markCovered(c); };
        uint8_t e[6];
        if (in) {
            subsets::elementsOfMask(in, e);
            for (uint8_t pattern : kSubsets) {
                const Mask K = pick(e, pattern);
                if (out && (K & ~out) == 0) continue;
                const uint32_t r = rankOf(K);
                come[comeCount] = K;
                comeRank[comeCount++] = r;
                if (count_[r]++ == 0) {
                    delta -= alone<Apply>(K, won);
                    toggle(K);
                }
            }
        }
        if (out) {
            subsets::elementsOfMask(out, e);
            for (uint8_t pattern : kSubsets) {
                const Mask K = pick(e, pattern);
                if (in && (K & ~in) == 0) continue;
                const uint32_t r = rankOf(K);
                gone[goneCount] = K;
                goneRank[goneCount++] = r;
                if (--count_[r] == 0) {
                    toggle(K);
                    delta += alone<Apply>(K, lost);
                    if (!Apply && delta > limit) break;
                }
            }
        }
        if constexpr (Apply) {
            uncovered_count_ += delta;
        } else {
            for (int i = 0; i < goneCount; ++i)
                if (count_[goneRank[i]]++ == 0) toggle(gone[i]);
            for (int i = 0; i < comeCount; ++i)
                if (--count_[comeRank[i]] == 0) toggle(come[i]);
        }
        return delta;
    }

    const Problem* p_;
    std::vector<uint32_t> count_;   // system bets holding each k-subset, by rank
    std::vector<Mask> ext_;         // per (k-1)-subset P: elements z with P + z held
    std::vector<Mask> bets_;
    BitSet inSystem_;               // by rank of the 6-set
    BitSet uncovered_;              // uncovered conditioned bets, by rank
    BitSet listed_;                 // ranks present in list_ (some may be covered by now)
    std::vector<uint32_t> list_;
    int64_t uncovered_count_ = 0;
    std::vector<uint32_t> near_;
    std::vector<uint8_t> shared_;
    Rng rng_;
    const std::vector<uint8_t>* kSubsets_;                  // the k-subsets of a bet, as patterns
    const std::vector<uint8_t>* partnersOfA_;               // the (k-1)-subsets of the other five
    std::array<const std::vector<uint8_t>*, 7> partners_;   // per size: its (k-2)-subsets
};

// A search's kept system.
struct Kept {
    Quality quality;
    std::vector<Mask> bets;
};

BetList betListOf(const std::vector<Mask>& masks, const std::vector<uint8_t>& base)
{
    // Ascending order of bets: by their positions read from the smallest one, packed in a key.
    std::vector<std::pair<uint64_t, Mask>> sorted;
    sorted.reserve(masks.size());
    for (Mask m : masks) {
        uint64_t key = 0;
        for (Mask rest = m; rest; rest &= rest - 1) key = (key << 8) | static_cast<uint64_t>(lowest(rest));
        sorted.emplace_back(key, m);
    }
    std::sort(sorted.begin(), sorted.end());
    BetList out(static_cast<int64_t>(sorted.size()));
    for (size_t i = 0; i < sorted.size(); ++i) {
        uint8_t* d = out.bet(static_cast<int64_t>(i) + 1);
        Mask m = sorted[i].second;
        for (int j = 0; j < 6; ++j, m &= m - 1) d[j] = base[static_cast<size_t>(lowest(m))];
        d[6] = 0;
    }
    return out;
}

// The checks of the inputs, the problem they describe and the start as masks (repeats dropped).
// False when the stop was seen first.
bool prepare(const OptimiserInputs& in, Problem& p, std::vector<Mask>& start, const StopToken& stop)
{
    const int n = static_cast<int>(in.baseNumbers.size());
    if (n < 6 || n > kMaxNumber) throw std::invalid_argument("la base debe tener entre 6 y 49 números");
    for (int i = 0; i < n; ++i) {
        const int v = in.baseNumbers[static_cast<size_t>(i)];
        if (v < kMinNumber || v > kMaxNumber || (i > 0 && v <= in.baseNumbers[static_cast<size_t>(i - 1)]))
            throw std::invalid_argument("la base tiene números no válidos");
    }
    if (in.minHits < 2 || in.minHits > 6) throw std::invalid_argument("los aciertos pedidos deben estar entre 2 y 6");
    p.n = n;
    p.k = in.minHits;
    p.all = n == 64 ? ~Mask{0} : (bit(n) - 1);
    p.bin = subsets::binomialRows();
    p.total = in.conditioned.size();
    const uint64_t space = subsets::choose(n, 6);
    p.conditioned = BitSet(space);
    for (int64_t s = 1; s <= p.total; ++s) {
        if ((s & 0xFFFF) == 0 && stop.stopRequested()) return false;
        const uint8_t* b = in.conditioned.bet(s);
        Mask m = 0;
        for (int j = 0; j < 6; ++j) {
            if (b[j] < 1 || b[j] > n || (j > 0 && b[j] <= b[j - 1]))
                throw std::invalid_argument("el sistema condicionado tiene una apuesta no válida");
            m |= bit(b[j] - 1);
        }
        if (!p.conditioned.insert(rankOf(m))) throw std::invalid_argument("el sistema condicionado tiene apuestas repetidas");
    }
    p.full = static_cast<uint64_t>(p.total) == space;
    p.byCount = in.target == OptimiserTarget::BetCount;
    if (p.byCount) {
        p.cap = std::max<int64_t>(in.betCount, 0);
        p.allowed = 0;
    } else {
        p.allowed = p.total - std::clamp<int64_t>(in.requiredCovered, 0, p.total);
    }

    int index[kMaxNumber + 1];
    std::fill(std::begin(index), std::end(index), -1);
    for (int i = 0; i < n; ++i) index[in.baseNumbers[static_cast<size_t>(i)]] = i;
    BitSet seen(space);
    for (int64_t s = 1; s <= in.start.size(); ++s) {
        const uint8_t* b = in.start.bet(s);
        Mask m = 0;
        for (int j = 0; j < 6; ++j) {
            if (b[j] < kMinNumber || b[j] > kMaxNumber || index[b[j]] < 0)
                throw std::invalid_argument("el sistema de partida tiene una apuesta que no está en el sistema condicionado");
            m |= bit(index[b[j]]);
        }
        if (popcount(m) != 6 || !p.conditioned.test(rankOf(m)))
            throw std::invalid_argument("el sistema de partida tiene una apuesta que no está en el sistema condicionado");
        if (seen.insert(rankOf(m))) start.push_back(m);
    }
    return true;
}

// Reports of a run: events on the calling thread (search 0 runs there), at most ten times a
// second, and every improvement of the best of all searches.
class Reporter {
public:
    Reporter(OptimiserProgress& progress, const Problem& p, Clock::time_point begin, double budget)
        : progress_(progress), p_(p), begin_(begin), budgetMs_(static_cast<int64_t>(budget * 1000.0))
    {
    }

    // Any search: a system of this quality was kept.
    void offer(const Quality& q)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!better(p_, q, best_)) return;
        best_ = q;
        fresh_ = true;
    }

    void start(const Quality& q)
    {
        best_ = q;
        fresh_ = false;
    }

    void addSteps(int64_t steps) { steps_.fetch_add(steps, std::memory_order_relaxed); }

    // The calling thread only.
    void tick(Clock::time_point now, bool force = false)
    {
        if (!force && now < next_) return;
        next_ = now + std::chrono::milliseconds(100);
        Quality q;
        bool fresh;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            q = best_;
            fresh = fresh_;
            fresh_ = false;
        }
        const OptimiserStatus s = statusOf(q, now);
        if (fresh) progress_.improved(s);
        progress_.status(s);
        progress_.report(std::min<int64_t>(static_cast<int64_t>(s.seconds * 1000.0), budgetMs_), budgetMs_);
    }

    OptimiserStatus statusOf(const Quality& q, Clock::time_point now) const
    {
        OptimiserStatus s;
        s.bets = q.bets;
        s.covered = p_.total - q.uncovered;
        s.conditioned = p_.total;
        s.seconds = std::chrono::duration<double>(now - begin_).count();
        s.steps = steps_.load(std::memory_order_relaxed);
        return s;
    }

private:
    OptimiserProgress& progress_;
    const Problem& p_;
    Clock::time_point begin_;
    int64_t budgetMs_;
    std::mutex mutex_;
    Quality best_;
    bool fresh_ = false;
    std::atomic<int64_t> steps_{0};
    Clock::time_point next_{};
};

// Seed of search t: the run's seed spread so that neighbouring seeds give unrelated searches.
uint64_t searchSeed(uint64_t seed, int t)
{
    Rng mix(seed ^ (0xA0761D6478BD642Full * static_cast<uint64_t>(t + 1)));
    return mix.next();
}

} // namespace

// Anneal and drop until the deadline, the step limit or a stop, keeping in `mine` the best system
// met; `onKept` hears of each one kept and `onStep` is called before every step. Returns false
// when the stop was seen; `steps` counts the steps done.
template <class OnKept, class OnStep>
bool searchLoop(Search& search, const Problem& p, Kept& mine, Clock::time_point deadline, int64_t stepLimit,
                const StopToken& stop, int64_t& steps, OnKept&& onKept, OnStep&& onStep)
{
    for (int64_t done = 0;; ++done) {
        const Clock::time_point now = Clock::now();
        if (stop.stopRequested()) return false;
        if (now >= deadline || (stepLimit > 0 && done >= stepLimit)) return true;
        onStep(now);
        ++steps;
        const Quality q = search.quality();
        const bool complete = p.byCount ? q.uncovered == 0 : q.uncovered <= p.allowed;
        if ((p.byCount || complete) && better(p, q, mine.quality)) {
            mine = {q, search.bets()};
            onKept(q);
        }
        if (complete) {
            if (search.size() == 0) return true;
            search.dropCheapest(stop);
            continue;
        }
        // Nothing left to move, or (k = 6) no move that could cover more.
        if (search.size() == 0 || p.k == 6) return true;
        search.anneal(kTemperature);
    }
}

// Bases this wide, with every 6-set conditioned and "al 3", are also built from two parts, with
// this share of the time (the parts are small problems: more time does little for them).
constexpr int kPartsFrom = 14;
constexpr double kPartsShare = 0.3;
constexpr std::chrono::seconds kPartsLongest{30};

// A full system "al 3" from two parts of its numbers, A and B: bets inside A holding every
// triple of A, and bets inside B meeting every 4-set of B in three numbers. A 6-set has three
// numbers in A (a triple some bet holds) or four in B (three of them in some bet), so together
// they cover every 6-set; and each part is a far smaller problem for the same search, on
// outcomes of three and four numbers. Returns no bets when the stop was seen or a part could not
// be completed in its time.
template <class OnStep>
std::vector<Mask> twoParts(int n, int a, uint64_t seed, Clock::time_point deadlineA, Clock::time_point deadlineB,
                           int64_t stepLimit, const StopToken& stop, int64_t& steps, OnStep&& onStep)
{
    static const IndexBetList none;
    std::vector<Mask> bets;
    const struct {
        int size, points, offset;
        Clock::time_point deadline;
    } parts[2] = {{a, 3, 0, deadlineA}, {n - a, 4, a, deadlineB}};
    for (const auto& part : parts) {
        Problem q;
        q.n = part.size;
        q.k = 3;
        q.points = part.points;
        q.all = bit(part.size) - 1;
        q.full = true;
        q.total = static_cast<int64_t>(subsets::choose(part.size, part.points));
        q.bin = subsets::binomialRows();
        Search search(q);
        search.seed(seed + static_cast<uint64_t>(part.points));
        if (!search.load({}, stop, none) || !search.fill([] { return false; }, stop)) return {};
        Kept best{search.quality(), search.bets()};
        if (!searchLoop(search, q, best, part.deadline, stepLimit, stop, steps, [](const Quality&) {}, onStep)) return {};
        if (best.quality.uncovered != 0) return {};
        for (Mask m : best.bets) bets.push_back(m << part.offset);
    }
    return bets;
}

OptimiserResult runOptimiser(const OptimiserInputs& inputs, OptimiserProgress& progress, const StopToken& stop)
{
    const Clock::time_point begin = Clock::now();
    return guardJob<OptimiserResult>([&](OptimiserResult& result) {
        Problem p;
        std::vector<Mask> start;
        auto stoppedAtOnce = [&] {
            // Stopped before the start was even measured: it is all there is to give back.
            result.bets = inputs.start;
            result.startBets = inputs.start.size();
            result.covered = result.startCovered = -1;
            result.seconds = std::chrono::duration<double>(Clock::now() - begin).count();
            result.markStopped();
        };
        result.conditioned = inputs.conditioned.size();
        if (!prepare(inputs, p, start, stop)) return stoppedAtOnce();
        const double budget = std::max(0.0, inputs.seconds);
        const Clock::time_point deadline = begin + std::chrono::microseconds(static_cast<int64_t>(budget * 1e6));
        Reporter reporter(progress, p, begin, budget);

        Search first(p);
        if (!first.load(start, stop, inputs.conditioned)) return stoppedAtOnce();
        const Quality startQuality = first.quality();
        result.startBets = startQuality.bets;
        result.startCovered = p.total - startQuality.uncovered;
        reporter.start(startQuality);

        // Bring the start within the target: complete it, or cut it down to the bet count.
        first.seed(searchSeed(inputs.seed, -1));
        bool ready = true;
        if (p.byCount) {
            while (ready && first.size() > p.cap) ready = first.dropCheapest(stop);
            ready = ready && first.fill([&] { return first.size() >= p.cap; }, stop);
        } else {
            ready = first.fill([&] { return first.uncovered() <= p.allowed; }, stop);
        }

        Kept overall{startQuality, start};
        if (better(p, first.quality(), overall.quality)) overall = {first.quality(), first.bets()};
        reporter.offer(overall.quality);

        int threads = inputs.threads > 0 ? inputs.threads : omp_get_max_threads();
        threads = std::max(1, threads);
        // With k = 6 a bet covers only itself: dropping the bets beyond the target is all there
        // is to do, and one search does it.
        const bool searchable = ready && p.total > 0;
        if (p.k == 6) threads = 1;
        const bool constructed = p.full && p.k == 3 && p.n >= kPartsFrom;
        std::vector<Kept> kept(static_cast<size_t>(threads), overall);
        std::atomic<bool> stopped{false};
        if (searchable) {
            std::vector<Search> searches;
            searches.reserve(static_cast<size_t>(threads));
            for (int t = 1; t < threads; ++t) searches.push_back(first);
            searches.push_back(std::move(first));
#pragma omp parallel num_threads(threads)
            {
                const int t = omp_get_thread_num();
                Search& search = searches[static_cast<size_t>(t)];
                search.seed(searchSeed(inputs.seed, t));
                Kept& mine = kept[static_cast<size_t>(t)];
                int64_t steps = 0, unreported = 0;
                auto onStep = [&](Clock::time_point now) {
                    ++unreported;
                    if (t != 0) return;
                    reporter.addSteps(unreported);
                    unreported = 0;
                    reporter.tick(now);
                };
                auto onKept = [&](const Quality& q) { reporter.offer(q); };
                bool going = true;
                // One search in two builds (the only one builds too); the others anneal the start
                // straight away, so that what the parts cannot help is not held up by them.
                if (constructed && (threads == 1 || t % 2 == 1)) {
                    // Part of the time (and at most half the steps) goes to building the system
                    // from two parts; the annealing then goes on from the better of that and the
                    // start. Which split is best depends on the base, and small parts settle in
                    // moments: four splits are tried, the first with half the time, the next
                    // with a quarter, then an eighth each.
                    const Clock::time_point now = Clock::now();
                    const auto share = std::min(std::chrono::duration_cast<Clock::duration>((deadline - now) * kPartsShare),
                                                std::chrono::duration_cast<Clock::duration>(kPartsLongest));
                    // With a step limit the parts end by their steps alone, so that the run
                    // repeats itself whatever the load.
                    const bool bySteps = inputs.stepLimit > 0;
                    constexpr int kSplits[4] = {36, 41, 31, 46};   // percent of the numbers in the first part
                    std::vector<Mask> built;
                    std::vector<int> tried;
                    Clock::time_point from = now;
                    for (int i = 0; i < 4 && !stop.stopRequested(); ++i) {
                        const int percent = kSplits[(i + t / 2) % 4];
                        const int a = std::clamp((p.n * percent + 50) / 100, 6, p.n - 6);
                        if (std::find(tried.begin(), tried.end(), a) != tried.end()) continue;
                        tried.push_back(a);
                        const auto slice = share / (2 << std::min(i, 2));
                        const int64_t partLimit = bySteps ? std::max<int64_t>(1, inputs.stepLimit / (8 << i)) : 0;
                        std::vector<Mask> parts = twoParts(p.n, a, searchSeed(inputs.seed, t) + static_cast<uint64_t>(i),
                                                           bySteps ? deadline : from + slice / 3, bySteps ? deadline : from + slice,
                                                           partLimit, stop, steps, onStep);
                        if (!parts.empty() && (built.empty() || parts.size() < built.size())) built = std::move(parts);
                        from += slice;
                    }
                    going = !stop.stopRequested();
                    if (!built.empty()) {
                        Search candidate(p);
                        candidate.seed(searchSeed(inputs.seed, t));
                        if (candidate.load(built, stop, inputs.conditioned) && better(p, candidate.quality(), search.quality()))
                            search = std::move(candidate);
                    }
                }
                const int64_t before = steps;
                if (going)
                    going = searchLoop(search, p, mine, deadline, inputs.stepLimit > 0 ? std::max<int64_t>(1, inputs.stepLimit - before) : 0,
                                       stop, steps, onKept, onStep);
                if (!going) stopped.store(true, std::memory_order_relaxed);
                reporter.addSteps(unreported);
            }
        }

        for (Kept& k : kept)
            if (better(p, k.quality, overall.quality)) overall = std::move(k);
        result.bets = betListOf(overall.bets, inputs.baseNumbers);
        result.covered = p.total - overall.quality.uncovered;
        result.improved = better(p, overall.quality, startQuality);
        result.targetMet = p.byCount ? overall.quality.bets <= p.cap : overall.quality.uncovered <= p.allowed;
        const Clock::time_point end = Clock::now();
        result.seconds = std::chrono::duration<double>(end - begin).count();
        result.steps = reporter.statusOf(overall.quality, end).steps;
        reporter.offer(overall.quality);
        reporter.tick(end, true);
        if (!ready || stopped.load() || stop.stopRequested()) result.markStopped();
    });
}

} // namespace kombitron
