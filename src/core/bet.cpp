#include "core/bet.h"

#include <cstring>

#include "core/binomial.h"

namespace kombitron {

const char* gameName(GameType game)
{
    return game == GameType::Bonoloto ? "BONOLOTO" : "PRIMITIVA";
}

const char* reintegroModeText(ReintegroMode mode)
{
    switch (mode) {
    case ReintegroMode::Sequential: return "Secuenciales";
    case ReintegroMode::Random: return "Aleatorios";
    default: return "Al directo";
    }
}

const char* combinationKindText(CombinationKind kind)
{
    switch (kind) {
    case CombinationKind::RandomForecast: return "Pronóstico Aleatorio";
    case CombinationKind::FromFile: return "Pronóstico Desde Archivo";
    default: return "Pronóstico Manual";
    }
}

int64_t combinationCount(int n, int k)
{
    if (k < 0 || n < k) return 0;
    if (n < kBinomialRows && k < kBinomialColumns) return static_cast<int64_t>(kBinomial[n][k]);
    // Multiplicative form keeps every intermediate value exact in 64 bits for n <= 49.
    int64_t result = 1;
    for (int i = 1; i <= k; ++i) result = result * (n - k + i) / i;
    return result;
}

BetMatrix& BetMatrix::operator=(const BetMatrix& other)
{
    if (this == &other) return *this;
    resize(other.count_);
    if (count_ > 0) std::memcpy(data_.get(), other.data_.get(), static_cast<size_t>(count_) * kBetBytes);
    return *this;
}

void BetMatrix::resize(int64_t count)
{
    if (count <= 0) { clear(); return; }
    data_ = std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(count) * kBetBytes);
    count_ = count;
}

Bet BetList::get(int64_t i) const
{
    Bet b;
    std::memcpy(b.numbers, bet(i), 6);
    b.reintegro = bet(i)[6];
    return b;
}

void BetList::set(int64_t i, const Bet& b)
{
    std::memcpy(bet(i), b.numbers, 6);
    bet(i)[6] = b.reintegro;
}

std::string betRecordText(const uint8_t* b)
{
    char text[21];
    for (int j = 0; j < 7; ++j) {
        text[j * 3] = static_cast<char>('0' + b[j] / 10 % 10);
        text[j * 3 + 1] = static_cast<char>('0' + b[j] % 10);
        text[j * 3 + 2] = j < 5 ? ',' : '+';
    }
    return std::string(text, 20);
}

} // namespace kombitron
