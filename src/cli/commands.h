#pragma once

// The commands of kombitron-cli. Each lives in its own file, cmd_NAME.cpp, and joins the command
// line with one call from main.cpp:
//
//   // cmd_scrutiny.cpp
//   namespace {
//   struct ScrutinyOptions { std::string bets; int draw = 0; };
//   int runScrutiny(const ScrutinyOptions& o) { ...; return ok ? kExitDone : kExitRefused; }
//   } // namespace
//
//   void addScrutinyCommand(CommandLine& cli)
//   {
//       auto o = std::make_shared<ScrutinyOptions>();
//       CLI::App& command = cli.add("scrutiny", "Escruta las apuestas de BETS contra un sorteo",
//                                   [o] { return runScrutiny(*o); });
//       command.add_option("BETS", o->bets, "Fichero de apuestas")->required();
//       command.add_option("--sorteo", o->draw, "Número de sorteo")->check(WholeIn(1, 999));
//   }
//
// The options are declared with a Spanish description (every command gets --help), checked with
// the validators of command_line.h (their messages are Spanish) before the command runs, and bound
// to the command's own options struct, which the run reads once parsing is over. The run returns
// kExitDone, or kExitRefused after the program's message whenever the flow it runs ended in an
// error. Usage errors (kExitUsage) are CLI11's, before the run; only a check across options that
// no validator can make (guarantees: the conditioned scope has level 6 only) prints its reason
// from the run and returns kExitUsage. Messages go to stderr through a
// TerminalInteraction; what the command prints goes to stdout. Add the declaration below, the
// call in main.cpp, and the file to CMakeLists.txt.

#include "cli/command_line.h"

namespace kombitron::cli {

void addGenerateCommand(CommandLine& cli);
void addViewCommand(CommandLine& cli);
void addImportCommand(CommandLine& cli);
void addConvertCommand(CommandLine& cli);
void addBaseCommand(CommandLine& cli);
void addCalcCommand(CommandLine& cli);
void addSummaryCommand(CommandLine& cli);
void addGuaranteesCommand(CommandLine& cli);
void addAnalysisCommand(CommandLine& cli);
void addHistoryCommand(CommandLine& cli);
void addStatsCommand(CommandLine& cli);
void addScrutinyCommand(CommandLine& cli);
void addPrizesCommand(CommandLine& cli);
void addMultiScrutinyCommand(CommandLine& cli);
void addBacktestCommand(CommandLine& cli);
void addRandomBetsCommand(CommandLine& cli);
void addRandomPercentCommand(CommandLine& cli);
void addOwnSystemCommand(CommandLine& cli);
void addAlgebraCommand(CommandLine& cli);
void addTicketsCommand(CommandLine& cli);

} // namespace kombitron::cli
