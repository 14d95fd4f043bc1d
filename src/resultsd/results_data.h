#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kombitron::resultsd {

// One draw as the data files give it.
struct DrawRow {
    std::string date;            // dd/mm/yyyy
    int season = 0;
    int draw = 0;
    char weekday = 'L';          // L M X J V S D
    std::array<int, 8> values{}; // six numbers, complementary, reintegro
};

// Prize texts of one draw, as written in the prizes file ("" = unknown).
struct PrizeRow {
    std::string takings, jackpot;
    std::array<std::string, 6> prize;   // 6+R, 6, 5+C, 5, 4, 3
    std::array<std::string, 6> winners;
};

// Everything the service knows of one game.
struct GameData {
    std::string name;                                   // "PRIMITIVA" / "BONOLOTO"
    std::vector<DrawRow> draws;                          // file order
    std::map<std::pair<int, int>, PrizeRow> prizes;      // by (season, draw)
    std::optional<std::string> cannedDraws, cannedPrizes; // prepared answers served as they are
};

// Read the files of `game` in `folder`: "<game>.csv" (draws), "<game>-premios.csv" (prizes,
// optional), "<game>.xml" and "<game>-premios.xml" (prepared answers, optional); names are in
// lower case. A missing draws file gives a game without draws. False with a description when a
// file is unreadable or a line malformed.
bool LoadGameData(const std::string& folder, const std::string& game, GameData& data, std::string& failure);

// Answer of the draws request (COMBINACIONES, then SORTEOS with the same draws in the same
// order) or of the prizes request (SORTEOS alone) for the draws of `season` (0: every season).
std::string BuildDrawsResponse(const GameData& data, int season);
std::string BuildPrizesResponse(const GameData& data, int season);

} // namespace kombitron::resultsd
