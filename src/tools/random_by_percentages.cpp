#include "tools/random_by_percentages.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/format.h"
#include "core/random.h"

namespace kombitron {

namespace {
constexpr int kMaxChosen = 43;
constexpr int kSumLimit = 600;
constexpr int64_t kReportMask = (int64_t{1} << 16) - 1;
} // namespace

int chosenPercentagesCount(const PercentageShares& percentages)
{
    int a = 0;
    for (int v = kMinNumber; v <= kMaxNumber; ++v) a += percentages[v] ? 1 : 0;
    return a;
}

int percentagesSum(const PercentageShares& percentages)
{
    int sum = 0;
    for (int v = kMinNumber; v <= kMaxNumber; ++v) sum += percentages[v];
    return sum;
}

std::string percentagesCountCaption(int chosen)
{
    return std::to_string(chosen) + " Porcentajes de Números Seleccionados";
}

std::optional<ToolNotice> checkRandomBetsByPercentages(const PercentageShares& percentages,
                                                        const std::string& countText, int64_t& count)
{
    const int chosen = chosenPercentagesCount(percentages);
    if (chosen <= 5) return ToolNotice{MessageKind::Warning, "AVISO: DEBE SELECCIONAR MINIMO 6 PORCENTAJES DE NUMEROS"};
    if (chosen > kMaxChosen)
        return ToolNotice{MessageKind::Error, "ERROR: SOLO SE PUEDEN SELECCIONAR 43 PORCENTAJES COMO MAXIMO"};
    if (percentagesSum(percentages) >= kSumLimit)
        return ToolNotice{MessageKind::Error, "ERROR: LA SUMA DE TODOS LOS % SELECCIONADOS DEBE SER MENOR DE 600"};
    count = parseBetCount(countText);
    if (count < 1) return ToolNotice{MessageKind::Error, "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"};
    int64_t occurrences = 0;
    for (int v = kMinNumber; v <= kMaxNumber; ++v) occurrences += std::min<int64_t>(percentages[v], 100) * count / 100;
    if (6 * count < occurrences)
        return ToolNotice{MessageKind::Warning, "AVISO: NO ES POSIBLE GENERAR LAS APUESTAS, BAJE LOS PORCENTAJES "
                                                "SELECCIONADOS O PIDA MAS APUESTAS"};
    return std::nullopt;
}

std::string percentagesHeader(const PercentageShares& percentages)
{
    std::string header;
    for (int v = kMinNumber; v <= kMaxNumber; ++v)
        if (percentages[v]) header += formatTwoDigits(v);
    return header;
}

BetList randomBetsByPercentages(const PercentageShares& percentages, int64_t count, uint64_t seed, Progress& progress,
                                const StopToken& stop)
{
    std::vector<uint8_t> chosen, free;
    std::vector<int64_t> runEnd;  // runEnd[j]: the last place of chosen[j]'s row of occurrences
    int64_t occupied = 0;
    for (int v = kMinNumber; v <= kMaxNumber; ++v) {
        if (percentages[v]) {
            chosen.push_back(static_cast<uint8_t>(v));
            occupied += std::min<int64_t>(percentages[v], 100) * count / 100;
            runEnd.push_back(occupied);
        } else {
            free.push_back(static_cast<uint8_t>(v));
        }
    }
    const int64_t g = static_cast<int64_t>(free.size());
    // The checks keep 43 percentages at most, so that six free numbers fill a bet without one.
    if (g < 6) throw std::invalid_argument("hay menos de 6 números sin porcentaje");

    BetList bets(count);
    Rng rng(seed);
    // The place of number m of bet b grows with b, so each position keeps its own run cursor
    // instead of a table of 6N places.
    size_t cursor[6] = {};
    for (int64_t b = 1; b <= count; ++b) {
        for (int64_t w = 0; w < g; ++w) std::swap(free[static_cast<size_t>(w)], free[static_cast<size_t>(rng.below(g))]);
        uint8_t* bet = bets.bet(b);
        for (int m = 0; m < 6; ++m) {
            const int64_t place = b + m * count;
            size_t& j = cursor[m];
            while (j < chosen.size() && runEnd[j] < place) ++j;
            bet[m] = place <= occupied ? chosen[j] : free[static_cast<size_t>(m)];
        }
        std::sort(bet, bet + 6);
        bet[6] = 0;
        if ((b & kReportMask) == 0 || b == count) {
            progress.report(b, count);
            if (stop.stopRequested()) return BetList();
        }
    }
    return bets;
}

BetFileSave runRandomBetsByPercentages(const RandomPercentagesInputs& inputs, Progress& progress,
                                       const StopToken& stop)
{
    SharedBets bets;
    try {
        auto generated = std::make_shared<BetList>(
            randomBetsByPercentages(inputs.percentages, inputs.count, inputs.seed, progress, stop));
        if (stop.stopRequested() && generated->size() != inputs.count) {
            BetFileSave stopped;
            stopped.markStopped();
            return stopped;
        }
        bets = std::move(generated);
    } catch (...) {
        BetFileSave failed;
        failed.markFailed(saveErrorMessage(describeJobException(std::current_exception())));
        return failed;
    }
    return runSaveBetFile({inputs.path, percentagesHeader(inputs.percentages), std::move(bets)}, progress, stop);
}

} // namespace kombitron
