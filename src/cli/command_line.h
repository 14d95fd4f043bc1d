#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

namespace kombitron::cli {

// Exit codes of every command: 0 done, 1 refused by the program (its message went to stderr),
// 2 a usage error.
inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// The root of kombitron-cli: its commands, their --help in Spanish, and the run of the one
// command named on the command line.
class CommandLine {
public:
    CommandLine();

    // Declare a command (or, under `parent`, a command of a command: "history load"): its name,
    // the line its --help shows, and what it does once its arguments are parsed and checked,
    // returning the exit code. Options and positionals are added to the returned CLI::App.
    CLI::App& add(const std::string& name, const std::string& description, std::function<int()> run);
    CLI::App& add(CLI::App& parent, const std::string& name, const std::string& description,
                  std::function<int()> run);

    // Parse the arguments and run the command they name; the process exit code. A usage error
    // prints its Spanish description and the command's usage on stderr and gives kExitUsage.
    int run(int argc, char** argv);

private:
    CLI::App& prepare(CLI::App& command, std::function<int()> run);

    CLI::App root_;
    std::function<int()> chosen_;
};

// What CLI11 says about a usage error, in Spanish (the option names and values kept).
std::string SpanishUsageError(const CLI::Error& error);

// Validators with Spanish messages, checked on the text before any conversion.
// A comma-separated list of numbers and ranges within [low, high] ("1-10,15,20").
CLI::Validator NumberListIn(int low, int high);
// One of the given words.
CLI::Validator OneOf(std::vector<std::string> words);
// A whole number within [low, high].
CLI::Validator WholeIn(int low, int high);
// A number above 0 (decimals allowed).
CLI::Validator PositiveNumber();
// Digits only, at most `length` of them.
CLI::Validator DigitsUpTo(int length);

// Parse "1-10,15,20" into values within [low, high]; false on malformed text.
bool parseNumberList(const std::string& text, int low, int high, std::vector<int>& values);

} // namespace kombitron::cli
