#include "tools/own_system.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <stdexcept>
#include <utility>

#include "core/format.h"
#include "formats/bet_files.h"
#include "tools/random_marking.h"

namespace kombitron {

std::vector<uint8_t> OwnSystemOrigin::numbers() const
{
    std::vector<uint8_t> used;
    for (int v = kMinNumber; v <= kMaxNumber; ++v)
        if (numberBets[v] > 0) used.push_back(static_cast<uint8_t>(v));
    return used;
}

double OwnSystemOrigin::share(int number) const
{
    if (count() == 0 || number < kMinNumber || number > kMaxNumber) return 0;
    return static_cast<double>(numberBets[number]) * 100.0 / static_cast<double>(count());
}

std::vector<std::string> OwnSystemOrigin::shareLines() const
{
    std::vector<std::string> lines;
    for (uint8_t v : numbers()) lines.push_back(formatTwoDigits(v) + "-" + formatDecimal(share(v), 2) + "%");
    return lines;
}

std::string OwnSystemOrigin::shareTooltip(int number) const { return formatDecimal(share(number), 2) + " %"; }

OwnSystemOriginLoad runLoadOwnSystemOrigin(const OwnSystemOriginInputs& inputs, Progress& progress,
                                           const StopToken& stop)
{
    BetFileLoad read = runLoadBetFile({inputs.path, isKmbPath(inputs.path), false}, progress, stop);
    return guardJob<OwnSystemOriginLoad>([&](OwnSystemOriginLoad& result) {
        result.warnings = std::move(read.warnings);
        result.origin.path = inputs.path;
        if (!read.done()) {
            result.status = read.status;
            result.failure = std::move(read.failure);
            return;
        }
        try {
            // A number outside 1..49 would index past the mapping, a repeated one would save bets
            // of five numbers.
            const std::string invalid = prepareToolSystem(read.bets, result.origin.numberBets);
            if (!invalid.empty()) {
                result.markFailed(invalid);
                return;
            }
            result.origin.bets = std::make_shared<const BetList>(std::move(read.bets));
        } catch (...) {
            result.markFailed(importErrorMessage(describeJobException(std::current_exception())));
        }
    });
}

int OwnSystemDestination::count() const
{
    int n = 0;
    for (int v = kMinNumber; v <= kMaxNumber; ++v) n += marked[v] ? 1 : 0;
    return n;
}

std::vector<uint8_t> OwnSystemDestination::numbers() const
{
    std::vector<uint8_t> chosen;
    for (int v = kMinNumber; v <= kMaxNumber; ++v)
        if (marked[v]) chosen.push_back(static_cast<uint8_t>(v));
    return chosen;
}

void setDestinationMarked(OwnSystemDestination& destination, int number, bool marked)
{
    if (number < kMinNumber || number > kMaxNumber) return;
    destination.marked[number] = marked ? 1 : 0;
    if (!marked) destination.order[number] = 0;
}

void markRandomDestination(OwnSystemDestination& destination, int k, uint64_t seed)
{
    markRandomNumbers(destination.marked, k, seed);
    for (int v = kMinNumber; v <= kMaxNumber; ++v)
        if (!destination.marked[v]) destination.order[v] = 0;
}

void setChooseOrder(OwnSystemDestination& destination, bool on)
{
    destination.chooseOrder = on;
    destination.order.fill(0);
}

std::optional<ToolNotice> chooseOrigin(OwnSystemDestination& destination, int destinationNumber, int origin)
{
    if (destinationNumber < kMinNumber || destinationNumber > kMaxNumber) return std::nullopt;
    uint8_t& selector = destination.order[destinationNumber];
    if (origin < kMinNumber || origin > kMaxNumber) {
        selector = 0;
        return std::nullopt;
    }
    for (int v = kMinNumber; v <= kMaxNumber; ++v) {
        if (v != destinationNumber && destination.order[v] == origin) {
            selector = 0;
            return ToolNotice{MessageKind::Error, kOriginAlreadyChosenError};
        }
    }
    selector = static_cast<uint8_t>(origin);
    return std::nullopt;
}

std::optional<ToolNotice> checkOwnSystem(const OwnSystemOrigin& origin, const OwnSystemDestination& destination)
{
    if (origin.count() == 0) return ToolNotice{MessageKind::Error, "ERROR: Hay 0 apuestas importadas"};
    if (destination.count() != static_cast<int>(origin.numbers().size()))
        return ToolNotice{MessageKind::Error, "ERROR: Cantidad de números seleccionados del sistema DESTINO distinto "
                                              "del sistema ORIGEN"};
    return std::nullopt;
}

std::optional<ToolNotice> buildOwnSystemMapping(const OwnSystemOrigin& origin, const OwnSystemDestination& destination,
                                                OwnSystemMapping& mapping)
{
    const std::vector<uint8_t> from = origin.numbers();
    const std::vector<uint8_t> to = destination.numbers();
    mapping = OwnSystemMapping{};
    if (destination.chooseOrder) {
        // The selectors refuse a number twice, so k chosen numbers of the origin list cover it
        // all; anything else would leave numbers of the bets without a destination.
        NumberFlags isOrigin{};
        for (uint8_t x : from) isOrigin[x] = 1;
        for (uint8_t d : to) {
            const uint8_t x = destination.order[d];
            if (x == 0 || !isOrigin[x] || mapping.map[x] != 0) {
                mapping = OwnSystemMapping{};
                return ToolNotice{MessageKind::Error, "ERROR: Algún número DESTINO no tiene asignado número ORIGEN "
                                                      "(Rellene los Combos)"};
            }
            mapping.map[x] = d;
        }
    } else {
        for (size_t i = 0; i < from.size() && i < to.size(); ++i) mapping.map[from[i]] = to[i];
    }
    for (int x = kMinNumber; x <= kMaxNumber; ++x)
        if (mapping.map[x]) mapping.header += formatTwoDigits(mapping.map[x]);
    return std::nullopt;
}

BetList mapOwnSystem(const BetList& bets, const std::array<uint8_t, 50>& map)
{
    const int64_t count = bets.size();
    BetList mapped(count);
    const uint8_t* in = bets.data();
    uint8_t* out = mapped.data();
#pragma omp parallel for schedule(static) if (count > 100000)
    for (int64_t i = 0; i < count; ++i) {
        const uint8_t* b = in + i * kBetBytes;
        uint8_t* m = out + i * kBetBytes;
        for (int j = 0; j < 6; ++j) m[j] = b[j] <= kMaxNumber ? map[b[j]] : 0;
        std::sort(m, m + 6);
        m[6] = 0;
    }
    return mapped;
}

std::string ownSystemProposedName(const std::string& baseFileName)
{
    const size_t dot = baseFileName.rfind('.');
    return (dot == std::string::npos ? baseFileName : baseFileName.substr(0, dot)) + ".KMB";
}

BetFileSave runSaveOwnSystem(const OwnSystemSaveInputs& inputs, Progress& progress, const StopToken& stop)
{
    SharedBets bets;
    try {
        bets = std::make_shared<const BetList>(mapOwnSystem(inputs.bets ? *inputs.bets : BetList(), inputs.mapping.map));
    } catch (...) {
        BetFileSave failed;
        failed.markFailed(saveErrorMessage(describeJobException(std::current_exception())));
        return failed;
    }
    return runSaveBetFile({inputs.path, inputs.mapping.header, std::move(bets)}, progress, stop);
}

} // namespace kombitron
