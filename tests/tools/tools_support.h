#pragma once

#include <string>
#include <vector>

#include "core/bet.h"
#include "formats/bet_files.h"
#include "formats/formats_support.h"

namespace kombitron::test {

// Write bets (rows of six numbers and a reintegro) as a KMB file; the path written.
inline std::string writeKmb(const std::string& path, const std::vector<std::vector<int>>& rows,
                            const std::string& header = "0")
{
    Progress progress;
    StopFlag stop;
    const BetList bets = betList(rows);
    WriteBetFile(path, header, bets, bets.size(), progress, stop);
    return path;
}

inline BetFileRead readKmb(const std::string& path)
{
    Progress progress;
    StopFlag stop;
    return ReadBetFileKmb(path, progress, stop);
}

// Bets as rows of their six numbers and reintegro.
inline std::vector<std::vector<int>> rowsOf(const BetList& bets)
{
    std::vector<std::vector<int>> rows;
    for (int64_t i = 1; i <= bets.size(); ++i) {
        std::vector<int> row;
        for (int j = 1; j <= 7; ++j) row.push_back(bets.at(i, j));
        rows.push_back(row);
    }
    return rows;
}

} // namespace kombitron::test
