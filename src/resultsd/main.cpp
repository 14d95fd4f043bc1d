// kombitron-resultsd: the results service the program's update and load buttons talk to.
// It answers the draws and prizes requests of both games from the data files of a folder.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <pthread.h>
#include <string>
#include <thread>

#include <httplib.h>

#include "resultsd/results_data.h"

using namespace kombitron::resultsd;

namespace {

constexpr const char* kPath = "/servicios/v1/xml2/primitivaybonoloto";
constexpr const char* kUsage =
    "usage: kombitron-resultsd [--port N] [--bind ADDRESS] [--data DIR] [--cert FILE --key FILE]\n"
    "  --port N        port to listen on (default 8049; 0 picks a free one)\n"
    "  --bind ADDRESS  address to listen on (default 127.0.0.1)\n"
    "  --data DIR      folder of the data files (default data)\n"
    "  --cert, --key   PEM certificate and private key: serve HTTPS instead of HTTP\n";

struct Options {
    int port = 8049;
    std::string bind = "127.0.0.1";
    std::string data = "data";
    std::string cert, key;
};

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (arg == "--port") {
            if (value.empty() || value.size() > 5 || value.find_first_not_of("0123456789") != std::string::npos) return false;
            options.port = std::stoi(value);
            if (options.port > 65535) return false;
        } else if (arg == "--bind") {
            options.bind = value;
        } else if (arg == "--data") {
            options.data = value;
        } else if (arg == "--cert") {
            options.cert = value;
        } else if (arg == "--key") {
            options.key = value;
        } else {
            return false;
        }
    }
    return options.cert.empty() == options.key.empty();
}

std::string upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The two games and their full answers, built once.
struct Catalogue {
    GameData games[2];
    std::string allDraws[2], allPrizes[2];

    const GameData* find(const std::string& name, int& index) const
    {
        for (index = 0; index < 2; ++index)
            if (games[index].name == name) return &games[index];
        return nullptr;
    }
};

void badRequest(httplib::Response& res, const std::string& why)
{
    res.status = 400;
    res.set_content(why + "\n", "text/plain; charset=utf-8");
}

void answer(const Catalogue& catalogue, const httplib::Request& req, httplib::Response& res)
{
    for (const auto& [key, value] : req.params)
        if (key != "temporada" && key != "juego" && key != "combinaciones")
            return badRequest(res, "parámetro desconocido: " + key);

    std::string game;
    for (auto [it, end] = req.params.equal_range("juego"); it != end; ++it) {
        const std::string named = upper(it->second);
        if (!game.empty() && named != game) return badRequest(res, "juego repetido con otro valor");
        game = named;
    }
    int index = 0;
    const GameData* data = catalogue.find(game, index);
    if (!data) return badRequest(res, "juego ha de ser PRIMITIVA o BONOLOTO");

    if (req.get_param_value_count("temporada") != 1) return badRequest(res, "falta temporada");
    const std::string season = req.get_param_value("temporada");
    int year = 0;
    if (season != "todas") {
        if (season.size() != 4 || season.find_first_not_of("0123456789") != std::string::npos)
            return badRequest(res, "temporada ha de ser todas o un año");
        year = std::stoi(season);
    }

    bool prizes = false;
    if (req.has_param("combinaciones")) {
        const std::string flag = req.get_param_value("combinaciones");
        if (req.get_param_value_count("combinaciones") != 1 || (flag != "0" && flag != "1"))
            return badRequest(res, "combinaciones ha de ser 0 o 1");
        prizes = flag == "0";
    }

    const std::string& whole = prizes ? catalogue.allPrizes[index] : catalogue.allDraws[index];
    if (year == 0)
        res.set_content(whole, "application/xml; charset=utf-8");
    else
        res.set_content(prizes ? BuildPrizesResponse(*data, year) : BuildDrawsResponse(*data, year),
                        "application/xml; charset=utf-8");
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    auto catalogue = std::make_shared<Catalogue>();
    const char* names[2] = {"PRIMITIVA", "BONOLOTO"};
    for (int g = 0; g < 2; ++g) {
        std::string failure;
        if (!LoadGameData(options.data, names[g], catalogue->games[g], failure)) {
            std::fprintf(stderr, "kombitron-resultsd: %s\n", failure.c_str());
            return 1;
        }
        catalogue->allDraws[g] = BuildDrawsResponse(catalogue->games[g], 0);
        catalogue->allPrizes[g] = BuildPrizesResponse(catalogue->games[g], 0);
    }

    // Signals are taken by the main thread alone, which then stops the server cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<httplib::Server> server;
    const bool secure = !options.cert.empty();
    if (secure)
        server = std::make_unique<httplib::SSLServer>(options.cert.c_str(), options.key.c_str());
    else
        server = std::make_unique<httplib::Server>();
    if (!server->is_valid()) {
        std::fprintf(stderr, "kombitron-resultsd: no se pudo cargar el certificado o la clave\n");
        return 1;
    }
    server->Get(kPath, [catalogue](const httplib::Request& req, httplib::Response& res) { answer(*catalogue, req, res); });
    server->set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) res.set_content(std::to_string(res.status) + "\n", "text/plain");
    });

    int port = options.port;
    if (port == 0) {
        port = server->bind_to_any_port(options.bind);
        if (port < 0) port = -1;
    } else if (!server->bind_to_port(options.bind, port)) {
        port = -1;
    }
    if (port < 0) {
        std::fprintf(stderr, "kombitron-resultsd: no se pudo escuchar en %s:%d\n", options.bind.c_str(), options.port);
        return 1;
    }
    std::printf("kombitron-resultsd: %s://%s:%d (%zu PRIMITIVA, %zu BONOLOTO)\n", secure ? "https" : "http",
                options.bind.c_str(), port, catalogue->games[0].draws.size(), catalogue->games[1].draws.size());
    std::fflush(stdout);

    std::thread listener([&] { server->listen_after_bind(); });
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server->stop();
    listener.join();
    return 0;
}
