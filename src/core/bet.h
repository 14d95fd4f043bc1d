#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kombitron {

// The two games; the value is the position in the game selector.
enum class GameType : uint8_t { Primitiva = 0, Bonoloto = 1 };

// Reintegro assignment rule; the value is the position in the reintegro-mode selector.
enum class ReintegroMode : uint8_t { Direct = 0, Sequential = 1, Random = 2 };

// Where the total system comes from; the value is the position in the combination-kind selector.
enum class CombinationKind : uint8_t { Manual = 0, RandomForecast = 1, FromFile = 2 };

inline constexpr int kMinNumber = 1;
inline constexpr int kMaxNumber = 49;
inline constexpr int kMaxReintegro = 9;
inline constexpr int kMinMarkedNumbers = 6;
inline constexpr int64_t kAllBets = 13983816;            // C(49,6)
inline constexpr int64_t kLargeSystemThreshold = 3000000; // saving more asks first
inline constexpr uint8_t kUnusedPosition = 99;            // IndexBetList rows beyond k
inline constexpr int kBetBytes = 7;

// Game name as the program writes and compares it: "PRIMITIVA" or "BONOLOTO".
const char* gameName(GameType game);

// What one bet costs, in euros: 1 for PRIMITIVA, 0.50 for BONOLOTO.
inline constexpr double kPrimitivaBetPrice = 1.0;
inline constexpr double kBonolotoBetPrice = 0.5;
constexpr double betPrice(GameType game) { return game == GameType::Bonoloto ? kBonolotoBetPrice : kPrimitivaBetPrice; }

// Selector captions of the reintegro modes and combination kinds.
const char* reintegroModeText(ReintegroMode mode);
const char* combinationKindText(CombinationKind kind);

// Number of k-subsets of n elements; 0 when n < k or k < 0; C(n,0) = 1.
int64_t combinationCount(int n, int k);

// One bet: six ascending numbers (1..49) and a reintegro (0..9).
struct Bet {
    uint8_t numbers[6] = {};
    uint8_t reintegro = 0;
};

// A 7 x N byte matrix stored bet by bet, bets indexed 1..N, rows 1..7.
// One flat allocation; resize() does not zero the bytes (fill them).
class BetMatrix {
public:
    BetMatrix() = default;
    explicit BetMatrix(int64_t count) { resize(count); }
    BetMatrix(const BetMatrix& other) { *this = other; }
    BetMatrix& operator=(const BetMatrix& other);
    BetMatrix(BetMatrix&&) noexcept = default;
    BetMatrix& operator=(BetMatrix&&) noexcept = default;

    // Replace the contents by `count` uninitialised bets.
    void resize(int64_t count);
    // Keep the first `count` bets (count <= size()).
    void truncate(int64_t count) { count_ = count < count_ ? count : count_; }
    void clear() { data_.reset(); count_ = 0; }

    int64_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // Pointer to the 7 bytes of bet i (1-based).
    uint8_t* bet(int64_t i) { return data_.get() + (i - 1) * kBetBytes; }
    const uint8_t* bet(int64_t i) const { return data_.get() + (i - 1) * kBetBytes; }
    // Row j (1..7) of bet i (1..N).
    uint8_t& at(int64_t i, int j) { return bet(i)[j - 1]; }
    uint8_t at(int64_t i, int j) const { return bet(i)[j - 1]; }

    uint8_t* data() { return data_.get(); }
    const uint8_t* data() const { return data_.get(); }

private:
    std::unique_ptr<uint8_t[]> data_;
    int64_t count_ = 0;
};

// Bets with real numbers (rows 1..6) and reintegro (row 7).
class BetList : public BetMatrix {
public:
    using BetMatrix::BetMatrix;
    Bet get(int64_t i) const;
    void set(int64_t i, const Bet& b);
};

// Bets as positions 1..n in baseNumbers (rows 1..6, 99 where unused); row 7 the reintegro when imported.
class IndexBetList : public BetMatrix {
public:
    using BetMatrix::BetMatrix;
};

// "01,02,03,04,05,06+07": the record form of a bet in files and listings.
std::string betRecordText(const uint8_t* bet7);

// A bet list shared read-only between a window and the jobs it starts.
using SharedBets = std::shared_ptr<const BetList>;

} // namespace kombitron
