#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/format.h"
#include "core/state.h"
#include "history/draw_history.h"
#include "history/statistics.h"

namespace kombitron::cli {

namespace {

int usage(const char* text)
{
    std::fprintf(stderr, "usage: kombitron-cli %s\n", text);
    return kExitUsage;
}

// What the statistics window shows of a loaded history.
void printHistory(const DrawHistory& history)
{
    std::printf("Sorteos cargados : %s\n", formatCount(history.count()).c_str());
    std::printf("Desde sorteo : %s temporada : %s\n", history.firstDraw.c_str(), history.firstSeason.c_str());
    std::printf("Hasta sorteo : %s temporada : %s\n", history.lastDraw.c_str(), history.lastSeason.c_str());
}

bool digits(const std::string& text, size_t maxLength)
{
    return !text.empty() && text.size() <= maxLength && text.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

int cmdHistory(int argc, char** argv)
{
    constexpr const char* kUsage = "history load FILE | history update FILE --game primitiva|bonoloto";
    const Args args(argc, argv, 0);
    const std::vector<std::string> words = args.positional({"--game"});
    if (words.size() != 2) return usage(kUsage);
    const std::string& action = words[0];
    const std::string& file = words[1];
    TerminalInteraction ui(true);
    DrawHistory history;

    if (action == "load") {
        if (args.all().size() != 2) return usage(kUsage);
        const HistoryLoadResult r = LoadDrawHistory(history, file, ui);
        if (r.status == HistoryLoadStatus::Failed || r.status == HistoryLoadStatus::NothingImported) return kExitRefused;
        printHistory(history);
        return 0;
    }
    if (action == "update") {
        std::string game;
        if (!args.value("--game", game)) return usage(kUsage);
        if (game == "primitiva") game = "PRIMITIVA";
        else if (game == "bonoloto") game = "BONOLOTO";
        else return usage(kUsage);
        HistoryUpdateOptions options;
        options.defaultFile = file;
        const HistoryUpdateResult r = UpdateDrawHistory(history, game, ui, options);
        if (r.status != HistoryUpdateStatus::Updated) return kExitRefused;
        printHistory(history);
        return 0;
    }
    return usage(kUsage);
}

int cmdStats(int argc, char** argv)
{
    constexpr const char* kUsage = "stats FILE --query 0..9 [--temporada-desde Y] [--temporada-hasta Y] "
                                   "[--sorteo-desde N] [--sorteo-hasta N] [--dia 0..7]";
    const std::vector<std::string> valued = {"--query", "--temporada-desde", "--temporada-hasta",
                                             "--sorteo-desde", "--sorteo-hasta", "--dia"};
    const Args args(argc, argv, 0);
    const std::vector<std::string> words = args.positional(valued);
    if (words.size() != 1) return usage(kUsage);
    for (const std::string& a : args.all()) {
        if (a.rfind("--", 0) != 0) continue;
        bool known = false;
        for (const auto& v : valued) known = known || a == v;
        if (!known) return usage(kUsage);
    }

    StatisticsQuery query = DefaultStatisticsQuery(currentYear());
    std::string text;
    if (args.value("--query", text)) {
        if (!digits(text, 1)) return usage(kUsage);
        query.statistic = std::stoi(text);
    }
    if (args.value("--dia", text)) {
        if (!digits(text, 1) || std::stoi(text) > 7) return usage(kUsage);
        query.weekday = std::stoi(text);
    }
    const std::pair<const char*, std::string*> boxes[] = {{"--temporada-desde", &query.seasonFrom},
                                                          {"--temporada-hasta", &query.seasonTo},
                                                          {"--sorteo-desde", &query.drawFrom},
                                                          {"--sorteo-hasta", &query.drawTo}};
    for (const auto& [flag, box] : boxes)
        if (args.value(flag, text)) {
            if (!digits(text, 4)) return usage(kUsage);
            *box = text;
        }

    TerminalInteraction ui(true);
    DrawHistory history;
    const HistoryLoadResult loaded = LoadDrawHistory(history, words[0], ui);
    if (loaded.status == HistoryLoadStatus::Failed || loaded.status == HistoryLoadStatus::NothingImported)
        return kExitRefused;
    const StatisticsResult r = RunStatisticsQuery(history, query, ui);
    if (r.status != StatisticsStatus::Done) return kExitRefused;
    std::printf("%s\n", r.header.c_str());
    for (const std::string& line : r.lines) std::printf("%s\n", line.c_str());
    std::printf("Número de sorteos de la última consulta : %s\n", formatCount(r.matchingDraws).c_str());
    return 0;
}

} // namespace kombitron::cli
