#pragma once

#include <csignal>
#include <initializer_list>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "core/bet.h"
#include "formats/cipher.h"

namespace kombitron::test {

// One KMB record on disk: the 16-bit little-endian length and the enciphered text.
inline std::string kmbRecord(const std::string& plain)
{
    const std::string enciphered = cipherBytes(plain, kBetFileKey);
    std::string out;
    out += static_cast<char>(enciphered.size() & 0xFF);
    out += static_cast<char>(enciphered.size() >> 8);
    return out + enciphered;
}

// A KMB file from plain records.
inline std::string kmbFile(std::initializer_list<std::string> records)
{
    std::string out;
    for (const auto& r : records) out += kmbRecord(r);
    return out;
}

// Bets from rows of six numbers and a reintegro.
inline BetList betList(const std::vector<std::vector<int>>& rows)
{
    BetList bets(static_cast<int64_t>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        for (int j = 0; j < 7; ++j) bets.at(static_cast<int64_t>(i) + 1, j + 1) = static_cast<uint8_t>(rows[i][j]);
    return bets;
}

inline std::vector<std::string> recordTexts(const BetList& bets)
{
    std::vector<std::string> out;
    for (int64_t i = 1; i <= bets.size(); ++i) out.push_back(betRecordText(bets.bet(i)));
    return out;
}

// Writes beyond `bytes` fail (EFBIG) while the object lives, even for root: a disk that fills up
// in the middle of a save.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace kombitron::test
