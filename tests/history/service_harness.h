#pragma once

#include <atomic>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

#include "history/service_client.h"

namespace kombitron::test {

// kombitron-resultsd started on a free loopback port for one test and stopped with it.
class ResultsServer {
public:
    // Extra arguments after "--port 0 --bind 127.0.0.1"; started() is false when it did not come up.
    explicit ResultsServer(const std::vector<std::string>& arguments);
    ~ResultsServer();
    ResultsServer(const ResultsServer&) = delete;
    ResultsServer& operator=(const ResultsServer&) = delete;

    bool started() const { return port_ > 0; }
    int port() const { return port_; }
    std::string url(bool secure = false) const;
    // Client options for this server with short timeouts.
    ServiceOptions options(bool secure = false) const;
    // Run the service with `arguments` and wait for it to end; its exit code, its stderr in `output`.
    static int runToEnd(const std::vector<std::string>& arguments, std::string& output);

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

// A loopback listener that misbehaves: it never answers, closes every connection at once, or
// redirects every request to itself.
class RudeServer {
public:
    enum class Manner { Silent, Closing, Redirecting };
    explicit RudeServer(Manner manner);
    ~RudeServer();
    RudeServer(const RudeServer&) = delete;
    RudeServer& operator=(const RudeServer&) = delete;

    int port() const { return port_; }
    ServiceOptions options() const;

private:
    int socket_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread worker_;
    std::vector<int> held_;
};

// Draws file of the service: "fecha,anio,sorteo,dia,n1..n6,complementario,reintegro" lines after the header.
std::string ServiceCsv(const std::vector<std::string>& rows);

} // namespace kombitron::test
