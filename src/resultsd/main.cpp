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

#include "core/text.h"
#include "resultsd/results_data.h"

using namespace kombitron::resultsd;

namespace {

constexpr const char* kPath = "/servicios/v1/xml2/primitivaybonoloto";
constexpr const char* kUsage =
    "usage: kombitron-resultsd [--port N] [--bind ADDRESS] [--data DIR] [--cert FILE --key FILE]\n"
    "  --port N        port to listen on (default 8049; 0 picks a free one)\n"
    "  --bind ADDRESS  address to listen on (default 127.0.0.1)\n"
    "  --data DIR      folder of the data files (default " KOMBITRON_DATA_DIR ")\n"
    "  --cert, --key   PEM certificate and private key: serve HTTPS instead of HTTP\n";

struct Options {
    int port = 8049;
    std::string bind = "127.0.0.1";
    // The folder the package installs the data files to, so that the installed service works
    // from any working folder; a source checkout passes its own data folder with --data.
    std::string data = KOMBITRON_DATA_DIR;
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
            if (!kombitron::parseIntegerAs(value, 0, 65535, options.port)) return false;
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

// Limits that keep a few slow or greedy clients from starving the others: every connection gets
// a thread of a pool far larger than a handful of idle sockets, gives way after a short silence
// and serves a bounded number of requests; requests carry no body and few, short headers.
constexpr int kWorkerThreads = 64;
constexpr time_t kReadTimeoutSeconds = 2;
constexpr time_t kWriteTimeoutSeconds = 5;
constexpr time_t kKeepAliveSeconds = 2;
constexpr size_t kKeepAliveRequests = 20;
constexpr size_t kMaxHeaderCount = 32;
constexpr size_t kMaxHeaderBytes = 8192;

void badRequest(httplib::Response& res, const std::string& why)
{
    res.status = 400;
    res.set_content(why + "\n", "text/plain; charset=utf-8");
}

void answer(const Catalogue& catalogue, const httplib::Request& req, httplib::Response& res)
{
    if (!req.body.empty()) return badRequest(res, "la petición no lleva cuerpo");
    for (const auto& [key, value] : req.params)
        if (key != "temporada" && key != "juego" && key != "combinaciones")
            return badRequest(res, "parámetro desconocido: " + key);

    std::string game;
    for (auto [it, end] = req.params.equal_range("juego"); it != end; ++it) {
        const std::string named = kombitron::toUpper(it->second);
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
        // "0000" is four digits but no season: only years the data files can hold are asked for.
        if (season.size() != 4 || !kombitron::parseIntegerAs(season, kFirstSeason, kLastSeason, year))
            return badRequest(res, "temporada ha de ser todas o un año entre " + std::to_string(kFirstSeason) + " y " +
                                       std::to_string(kLastSeason));
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

    std::string failure;
    if (!CheckDataFolder(options.data, failure)) {
        std::fprintf(stderr, "kombitron-resultsd: %s\n", failure.c_str());
        return 1;
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
    server->new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    server->set_read_timeout(kReadTimeoutSeconds, 0);
    server->set_write_timeout(kWriteTimeoutSeconds, 0);
    server->set_keep_alive_timeout(kKeepAliveSeconds);
    server->set_keep_alive_max_count(kKeepAliveRequests);
    server->set_payload_max_length(0);
    // The library does not read a GET's body: announced body bytes would be taken for the next
    // request, so such a request is answered and its connection closed before any is read.
    server->set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
        size_t bytes = 0;
        for (const auto& [name, value] : req.headers) bytes += name.size() + value.size() + 4;
        const std::string length = req.get_header_value("Content-Length");
        const bool body = req.has_header("Transfer-Encoding") || (!length.empty() && length != "0");
        if (!body && req.headers.size() <= kMaxHeaderCount && bytes <= kMaxHeaderBytes)
            return httplib::Server::HandlerResponse::Unhandled;
        res.status = body ? 413 : 431;
        res.set_header("Connection", "close");
        res.set_content(std::to_string(res.status) + "\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
    });
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
