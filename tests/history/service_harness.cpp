#include "history/service_harness.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kombitron::test {

namespace {

constexpr int kStartWaitMs = 5000;

pid_t spawn(const std::vector<std::string>& arguments, int& out, int& err)
{
    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0) return -1;
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    std::vector<std::string> all{KOMBITRON_RESULTSD};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    out = outPipe[0];
    err = errPipe[0];
    return pid;
}

// One line from `fd`, waiting at most until `deadline`.
std::string readLine(int fd, std::chrono::steady_clock::time_point deadline)
{
    std::string line;
    char c;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (poll(&p, 1, static_cast<int>(std::max<int64_t>(left.count(), 1))) <= 0) continue;
        if (read(fd, &c, 1) != 1) break;
        if (c == '\n') break;
        line += c;
    }
    return line;
}

std::string readAll(int fd)
{
    std::string text;
    char buf[4096];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) text.append(buf, static_cast<size_t>(n));
    return text;
}

} // namespace

ResultsServer::ResultsServer(const std::vector<std::string>& arguments)
{
    std::vector<std::string> all{"--port", "0", "--bind", "127.0.0.1"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    int out = -1, err = -1;
    pid_ = spawn(all, out, err);
    if (pid_ < 0) return;
    close(err);
    const std::string line = readLine(out, std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartWaitMs));
    close(out);
    // "kombitron-resultsd: http://127.0.0.1:PORT (...)"
    const size_t colon = line.find(':', line.find("127.0.0.1"));
    if (colon != std::string::npos) port_ = std::atoi(line.c_str() + colon + 1);
}

ResultsServer::~ResultsServer()
{
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid_, &status, WNOHANG) == pid_) return;
        usleep(10000);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
}

std::string ResultsServer::url(bool secure) const
{
    return std::string(secure ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

ServiceOptions ResultsServer::options(bool secure) const
{
    ServiceOptions options;
    options.baseUrl = url(secure);
    options.connectTimeoutMs = 2000;
    options.totalTimeoutMs = 5000;
    return options;
}

int ResultsServer::runToEnd(const std::vector<std::string>& arguments, std::string& output)
{
    int out = -1, err = -1;
    const pid_t pid = spawn(arguments, out, err);
    if (pid < 0) return -1;
    close(out);
    output = readAll(err);
    close(err);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

RudeServer::RudeServer(Manner manner)
{
    socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(socket_, 8) != 0) return;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    worker_ = std::thread([this, manner] {
        while (!stop_) {
            pollfd p{socket_, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0) continue;
            const int client = accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) continue;
            if (manner == Manner::Closing || manner == Manner::Redirecting) {
                char buf[1024];
                (void)!read(client, buf, sizeof buf);
                if (manner == Manner::Redirecting) {
                    const std::string reply = "HTTP/1.1 302 Found\r\nLocation: /otra-vez\r\nContent-Length: 0\r\n"
                                              "Connection: close\r\n\r\n";
                    (void)!write(client, reply.data(), reply.size());
                }
                close(client);
            } else {
                held_.push_back(client); // read nothing, answer nothing
            }
        }
    });
}

RudeServer::~RudeServer()
{
    stop_ = true;
    if (worker_.joinable()) worker_.join();
    for (int fd : held_) close(fd);
    if (socket_ >= 0) close(socket_);
}

ServiceOptions RudeServer::options() const
{
    ServiceOptions options;
    options.baseUrl = "http://127.0.0.1:" + std::to_string(port_);
    options.connectTimeoutMs = 500;
    options.totalTimeoutMs = 500;
    return options;
}

std::string ServiceCsv(const std::vector<std::string>& rows)
{
    std::string text = "fecha,anio,sorteo,dia,n1,n2,n3,n4,n5,n6,complementario,reintegro\r\n";
    for (const auto& r : rows) text += r + "\r\n";
    return text;
}

} // namespace kombitron::test
