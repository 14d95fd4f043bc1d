#pragma once

#include <string>

#include "cli/command_line.h"
#include "cli/terminal.h"
#include "flows/scrutiny_flows.h"

namespace kombitron::cli {

// What `scrutiny` and `prizes` share: the bet file, the draw and the game.
struct ScrutinyOptions {
    std::string bets;
    std::string winning;
    int complementary = 0; // 0: "--"
    int reintegro = 0;
    std::string game = "primitiva";
    bool reintegros = false;

    GameType gameType() const { return game == "bonoloto" ? GameType::Bonoloto : GameType::Primitiva; }
};

void addScrutinyOptions(CLI::App& command, ScrutinyOptions& o);

// The scrutiny window's "Combinación nueva" and "Escrutar" over the options: the file read with
// its warnings, the winning numbers marked, the run. What was read and the result come back in
// `load` and `result`; kExitDone, or kExitRefused after the program's message.
int RunScrutinyFromOptions(const ScrutinyOptions& o, TerminalInteraction& ui, ScrutinyFileLoad& load,
                           ScrutinyInputs& inputs, ScrutinyResult& result);

// The text a report file holds: the text itself, ended by exactly one line end.
std::string ReportFileText(const std::string& text);

} // namespace kombitron::cli
