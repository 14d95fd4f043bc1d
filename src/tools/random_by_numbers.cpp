#include "tools/random_by_numbers.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/format.h"
#include "core/random.h"
#include "core/rank.h"
#include "engine/swap_shuffle.h"

namespace kombitron {

namespace {
// Thrown from inside the shuffle's step to leave it early when a stop is requested.
struct ShuffleStopped {};
constexpr int64_t kShuffleReportMask = (int64_t{1} << 18) - 1;
} // namespace

std::string totalBetsCaption(int n) { return formatCount(combinationCount(n, 6)) + " Apuestas"; }

std::optional<ToolNotice> checkRandomBetsByNumbers(int numberCount, const std::string& countText, int64_t& count)
{
    if (numberCount < kMinMarkedNumbers) return ToolNotice{MessageKind::Warning, "AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS"};
    count = parseBetCount(countText);
    if (count <= 0) return ToolNotice{MessageKind::Error, "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"};
    const int64_t total = combinationCount(numberCount, 6);
    if (total < count)
        return ToolNotice{MessageKind::Error,
                          "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MENOR O IGUAL QUE EL Nº DE APUESTAS DEL SISTEMA "
                          "TOTAL (tiene " +
                              std::to_string(total) + " apuestas)"};
    return std::nullopt;
}

std::string randomBetsProposedName(int64_t count) { return std::to_string(count) + "_Apuestas.KMB"; }

SubsetShuffle runShuffleSubsets(const SubsetShuffleInputs& inputs, Progress& progress, const StopToken& stop)
{
    return guardJob<SubsetShuffle>([&](SubsetShuffle& result) {
        if (inputs.n < kMinMarkedNumbers || inputs.n > kMaxNumber)
            throw std::invalid_argument("hay que marcar entre 6 y 49 números");
        const int64_t total = combinationCount(inputs.n, 6);
        auto order = std::make_shared<BigArray<uint32_t>>(static_cast<size_t>(total));
        uint32_t* o = order->data();
#pragma omp parallel for schedule(static) if (total > 100000)
        for (int64_t i = 0; i < total; ++i) o[i] = static_cast<uint32_t>(i + 1);
        Rng rng(inputs.seed);
        try {
            swapWithAnyPosition(o, total, rng, [&](int64_t done) {
                if ((done & kShuffleReportMask) != 0 && done != total) return;
                progress.report(done, total);
                if (stop.stopRequested()) throw ShuffleStopped{};
            });
        } catch (const ShuffleStopped&) {
            result.markStopped();
            return;
        }
        result.order = std::move(order);
    });
}

BetList mapShuffledSubsets(const std::vector<uint8_t>& numbers, const uint32_t* order, int64_t count)
{
    const int n = static_cast<int>(numbers.size());
    const int64_t total = combinationCount(n, 6);
    BetList bets(count);
    if (count >= total / 16 && total > 0) {
        // A large share of the system: lay every bet out once in lexicographic order and copy
        // the chosen ones, which costs far less than unranking each.
        BigArray<uint8_t> all(static_cast<size_t>(total) * 6);
        uint8_t* out = all.data();
        for (int a = 0; a < n - 5; ++a)
            for (int b = a + 1; b < n - 4; ++b)
                for (int c = b + 1; c < n - 3; ++c)
                    for (int d = c + 1; d < n - 2; ++d)
                        for (int e = d + 1; e < n - 1; ++e)
                            for (int f = e + 1; f < n; ++f) {
                                out[0] = numbers[a], out[1] = numbers[b], out[2] = numbers[c];
                                out[3] = numbers[d], out[4] = numbers[e], out[5] = numbers[f];
                                out += 6;
                            }
        const uint8_t* table = all.data();
#pragma omp parallel for schedule(static) if (count > 20000)
        for (int64_t j = 0; j < count; ++j) {
            uint8_t* bet = bets.bet(j + 1);
            std::memcpy(bet, table + (static_cast<size_t>(order[j]) - 1) * 6, 6);
            bet[6] = 0;
        }
        return bets;
    }
#pragma omp parallel for schedule(static) if (count > 20000)
    for (int64_t j = 0; j < count; ++j) {
        uint8_t* bet = bets.bet(j + 1);
        CombinationFromRank(static_cast<int32_t>(order[j]), 6, n, bet);
        for (int m = 0; m < 6; ++m) bet[m] = numbers[bet[m] - 1];
        bet[6] = 0;
    }
    return bets;
}

BetFileSave runWriteRandomBetsByNumbers(const RandomBetsWriteInputs& inputs, Progress& progress,
                                        const StopToken& stop)
{
    SharedBets bets;
    try {
        const int64_t available = inputs.order ? static_cast<int64_t>(inputs.order->size()) : 0;
        // Subset numbers beyond C(n,6) have no bet: an order shuffled for other numbers is refused.
        if (available != combinationCount(static_cast<int>(inputs.numbers.size()), 6))
            throw std::invalid_argument("el orden barajado no corresponde a los números marcados");
        const int64_t count = std::clamp<int64_t>(inputs.count, 0, available);
        bets = std::make_shared<const BetList>(
            mapShuffledSubsets(inputs.numbers, count > 0 ? inputs.order->data() : nullptr, count));
    } catch (...) {
        BetFileSave failed;
        failed.markFailed(saveErrorMessage(describeJobException(std::current_exception())));
        return failed;
    }
    return runSaveBetFile({inputs.path, twoDigitHeader(inputs.numbers), std::move(bets)}, progress, stop);
}

} // namespace kombitron
