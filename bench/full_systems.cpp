#include "full_systems.h"

#include <filesystem>
#include <unistd.h>
#include <utility>
#include <vector>

#include "core/bet.h"
#include "core/job.h"
#include "core/random.h"
#include "core/rank.h"
#include "formats/bet_files.h"

namespace kombitron::bench {

TwoFullSystems::TwoFullSystems()
{
    char pattern[] = "/tmp/kombitron-tools-bench-XXXXXX";
    folder = mkdtemp(pattern);
    all = folder + "/todas.KMB";
    drawn = folder + "/sorteadas.KMB";
    BetList bets(kAllBets);
    std::vector<int32_t> order(static_cast<size_t>(kAllBets));
    for (int32_t r = 0; r < kAllBets; ++r) order[static_cast<size_t>(r)] = r + 1;
    Rng rng(2024);
    for (int64_t i = kAllBets - 1; i > 0; --i)
        std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(rng.below(i + 1))]);
    for (int64_t i = 1; i <= kAllBets; ++i) {
        CombinationFromRank(order[static_cast<size_t>(i - 1)], bets.bet(i));
        bets.bet(i)[6] = static_cast<uint8_t>(i % 10);
    }
    Progress progress;
    StopFlag stop;
    WriteBetFile(all, "0", bets, kAllBets, progress, stop);
    for (int64_t i = 1; i <= kAllBets; ++i) CombinationFromRank(static_cast<int32_t>(1 + rng.below(kAllBets)), bets.bet(i));
    WriteBetFile(drawn, "0", bets, kAllBets, progress, stop);
    // The disk must not still be busy with these files while the timed runs go.
    ::sync();
}

TwoFullSystems::~TwoFullSystems()
{
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

TwoFullSystems& systems()
{
    static TwoFullSystems s;
    return s;
}

} // namespace kombitron::bench
