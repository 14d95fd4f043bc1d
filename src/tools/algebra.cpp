#include "tools/algebra.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <utility>

#include <omp.h>

#include "core/format.h"
#include "core/rank.h"
#include "core/text.h"
#include "formats/bet_files.h"

namespace kombitron {

namespace {

constexpr const char* kEndOfLine = "\r\n";

// Ranks of every bet of a system (six ascending numbers 1..49 each).
std::vector<int32_t> ranksOf(const BetList& bets)
{
    const int64_t count = bets.size();
    std::vector<int32_t> ranks(static_cast<size_t>(count));
    const uint8_t* data = bets.data();
#pragma omp parallel for schedule(static) if (count > 100000)
    for (int64_t i = 0; i < count; ++i) ranks[static_cast<size_t>(i)] = CombinationRank(data + i * kBetBytes);
    return ranks;
}

// The next combination in lexicographic order; the last one has none.
void nextCombination(uint8_t* c)
{
    int i = 5;
    while (i >= 0 && c[i] == kMaxNumber - 5 + i) --i;
    if (i < 0) return;
    ++c[i];
    for (int j = i + 1; j < 6; ++j) c[j] = static_cast<uint8_t>(c[j - 1] + 1);
}

// Up to this gap between consecutive ranks, stepping to the next combination is cheaper than an unrank.
constexpr int32_t kStepGap = 12;

// The ranks present in a set, ascending.
std::vector<int32_t> ranksIn(const PresenceTable& set)
{
    std::vector<int32_t> ranks;
    ranks.reserve(static_cast<size_t>(set.count()));
    set.forEach([&](int32_t r) { ranks.push_back(r); });
    return ranks;
}

BetList betsOfAscendingRanks(const std::vector<int32_t>& ranks, bool reversed)
{
    BetList bets(static_cast<int64_t>(ranks.size()));
    betsFromAscendingRanks(ranks, bets, reversed);
    return bets;
}

struct Stopped {};

} // namespace

const char* algebraOperationCaption(AlgebraOperation operation)
{
    switch (operation) {
    case AlgebraOperation::Sort: return "Ordenar sistema 1:";
    case AlgebraOperation::DirectSum: return "Sumar Sistemas (directo)";
    case AlgebraOperation::Union: return "Sumar Sistemas (quitando repetidas)";
    case AlgebraOperation::Intersection: return "Intersección Sistemas (apu. comunes)";
    case AlgebraOperation::Difference: return "Restar Sistemas (sistema 1-sistema 2)";
    }
    return "";
}

const char* sortOrderText(bool descending) { return descending ? "Descendente" : "Ascendente"; }

int AlgebraSystem::usedNumbers() const
{
    int used = 0;
    for (int v = kMinNumber; v <= kMaxNumber; ++v) used += numberCounts[v] > 0 ? 1 : 0;
    return used;
}

bool algebraReadsKmb(const std::string& path)
{
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return false;
    return toUpper(std::string_view(path).substr(dot + 1, 3)) == "KMB";
}

AlgebraSystemLoad runLoadAlgebraSystem(const AlgebraSystemInputs& inputs, Progress& progress, const StopToken& stop)
{
    BetFileLoad read = runLoadBetFile({inputs.path, algebraReadsKmb(inputs.path), false}, progress, stop);
    return guardJob<AlgebraSystemLoad>([&](AlgebraSystemLoad& result) {
        result.warnings = std::move(read.warnings);
        result.system.path = inputs.path;
        if (!read.done()) {
            result.status = read.status;
            result.failure = std::move(read.failure);
            return;
        }
        try {
            // The rank of a number outside 1..49 or of a repeated one would fall outside the table.
            const std::string invalid = prepareToolSystem(read.bets, result.system.numberCounts);
            if (!invalid.empty()) {
                result.markFailed(invalid);
                return;
            }
            result.system.bets = std::make_shared<const BetList>(std::move(read.bets));
        } catch (...) {
            result.markFailed(importErrorMessage(describeJobException(std::current_exception())));
        }
    });
}

std::optional<ToolNotice> checkAlgebra(AlgebraOperation operation, int64_t count1, int64_t count2)
{
    if (count1 <= 0) return ToolNotice{MessageKind::Error, "ERROR: NO ESTA CARGADO EL SISTEMA 1"};
    if (operation != AlgebraOperation::Sort && count2 <= 0)
        return ToolNotice{MessageKind::Error, "ERROR: NO ESTA CARGADO EL SISTEMA 2"};
    return std::nullopt;
}

void sortRanksAscending(std::vector<int32_t>& ranks)
{
    if (ranks.size() < 4096) {
        std::sort(ranks.begin(), ranks.end());
        return;
    }
    // Ranks fit in 24 bits: two passes of 12.
    constexpr int kBits = 12;
    constexpr size_t kBuckets = size_t{1} << kBits;
    std::vector<int32_t> scratch(ranks.size());
    std::vector<int32_t>* from = &ranks;
    std::vector<int32_t>* to = &scratch;
    for (int shift = 0; shift < 2 * kBits; shift += kBits) {
        std::vector<size_t> start(kBuckets + 1, 0);
        for (int32_t r : *from) ++start[((static_cast<uint32_t>(r) >> shift) & (kBuckets - 1)) + 1];
        for (size_t b = 1; b <= kBuckets; ++b) start[b] += start[b - 1];
        for (int32_t r : *from) (*to)[start[(static_cast<uint32_t>(r) >> shift) & (kBuckets - 1)]++] = r;
        std::swap(from, to);
    }
    // An even number of passes leaves the sorted ranks back in `ranks`.
}

void betsFromAscendingRanks(const std::vector<int32_t>& ranks, BetList& bets, bool reversed)
{
    const int64_t count = static_cast<int64_t>(ranks.size());
    if (bets.size() != count) bets.resize(count);
    uint8_t* out = bets.data();
#pragma omp parallel if (count > 100000)
    {
        // Each thread takes one stretch of ranks and walks it, stepping to the next combination
        // where the ranks are close and unranking where they are not.
        const int64_t threads = omp_get_num_threads();
        const int64_t t = omp_get_thread_num();
        const int64_t first = count * t / threads;
        const int64_t last = count * (t + 1) / threads;
        uint8_t c[6] = {};
        int32_t current = 0;
        for (int64_t i = first; i < last; ++i) {
            const int32_t r = ranks[static_cast<size_t>(i)];
            const int32_t gap = r - current;
            if (current == 0 || gap < 0 || gap > kStepGap) {
                CombinationFromRank(r, c);
            } else {
                for (int32_t s = 0; s < gap; ++s) nextCombination(c);
            }
            current = r;
            uint8_t* b = out + (reversed ? count - 1 - i : i) * kBetBytes;
            std::memcpy(b, c, 6);
            b[6] = 0;
        }
    }
}

AlgebraResult runAlgebra(const AlgebraInputs& inputs, Progress& progress, const StopToken& stop)
{
    return guardJob<AlgebraResult>([&](AlgebraResult& result) {
        static const BetList kNoBets;
        const BetList& one = inputs.system1 ? *inputs.system1 : kNoBets;
        const BetList& two = inputs.system2 ? *inputs.system2 : kNoBets;
        const int64_t n1 = one.size();
        const int64_t n2 = two.size();
        constexpr int64_t kPhases = 4;
        auto phase = [&](int64_t done) {
            progress.report(done, kPhases);
            if (stop.stopRequested()) throw Stopped{};
        };
        try {
            BetList bets;
            switch (inputs.operation) {
            case AlgebraOperation::Sort: {
                std::vector<int32_t> ranks = ranksOf(one);
                phase(1);
                sortRanksAscending(ranks);
                phase(2);
                bets = betsOfAscendingRanks(ranks, inputs.descending);
                break;
            }
            case AlgebraOperation::DirectSum:
                bets.resize(n1 + n2);
                if (n1) std::memcpy(bets.data(), one.data(), static_cast<size_t>(n1) * kBetBytes);
                if (n2) std::memcpy(bets.data() + n1 * kBetBytes, two.data(), static_cast<size_t>(n2) * kBetBytes);
                break;
            case AlgebraOperation::Union:
            case AlgebraOperation::Intersection:
            case AlgebraOperation::Difference: {
                PresenceTable inOne;
                for (int32_t r : ranksOf(one)) inOne.insert(r);
                phase(1);
                const std::vector<int32_t> ranksTwo = ranksOf(two);
                phase(2);
                PresenceTable common;
                const PresenceTable* selected = &inOne;
                if (inputs.operation == AlgebraOperation::Union) {
                    for (int32_t r : ranksTwo) inOne.insert(r);
                } else if (inputs.operation == AlgebraOperation::Intersection) {
                    for (int32_t r : ranksTwo)
                        if (inOne.contains(r)) common.insert(r);
                    selected = &common;
                } else {
                    for (int32_t r : ranksTwo) inOne.erase(r);
                }
                phase(3);
                bets = betsOfAscendingRanks(ranksIn(*selected), false);
                break;
            }
            }
            phase(kPhases);
            result.text = algebraResultsText(inputs.operation, inputs.descending, n1, n2, bets.size());
            result.bets = std::make_shared<const BetList>(std::move(bets));
        } catch (const Stopped&) {
            result.markStopped();
        }
    });
}

std::string algebraResultsText(AlgebraOperation operation, bool descending, int64_t count1, int64_t count2,
                               int64_t resultCount)
{
    const std::string n = formatCount(resultCount);
    const std::string summed = formatCount(count1 + count2);
    auto line = [](const std::string& text) { return text + kEndOfLine; };
    switch (operation) {
    case AlgebraOperation::Sort:
        return line(std::string("Proceso de ORDENACION (") + sortOrderText(descending) + ") terminado CORRECTAMENTE") +
               line("Nº Apuestas Ordenadas : " + n);
    case AlgebraOperation::DirectSum:
        return line("Proceso de SUMA de Sistemas (directo) terminado CORRECTAMENTE") +
               line("Nº Apuestas Sistema Resultante : " + n);
    case AlgebraOperation::Union:
        return line("Proceso de SUMA de sistemas (quitar repetidas) terminado CORRECTAMENTE") +
               line("Nº Apuestas Sistema Sumado : " + summed) +
               line("Nº Apuestas repetidas : " + formatCount(count1 + count2 - resultCount)) +
               line("Nº Apuestas FINALES : " + n);
    case AlgebraOperation::Intersection:
        return line("Proceso de INTERSECCION de sistemas (coger comunes) terminado CORRECTAMENTE") +
               line("Nº Apuestas Sistema Sumado : " + summed) + line("Nº Apuestas COMUNES : " + n);
    case AlgebraOperation::Difference:
        return line("Proceso de RESTA de sistemas (sistema 1 - sistema 2) terminado CORRECTAMENTE") +
               line("Nº Apuestas Sistema Resultante : " + n);
    }
    return {};
}

std::optional<ToolNotice> checkAlgebraSave(const std::string& resultsText, int64_t resultCount)
{
    if (resultsText.empty()) return ToolNotice{MessageKind::Error, "ERROR: NO HAY NINGUN SISTEMA GENERADO PARA GUARDARLO"};
    if (resultCount <= 0)
        return ToolNotice{MessageKind::Error, "ERROR: NO SE PUEDE GUARDAR, EL SISTEMA RESULTANTE TIENE 0 APUESTAS"};
    return std::nullopt;
}

} // namespace kombitron
