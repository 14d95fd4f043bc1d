#include "local_service.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kombitron::bench {

namespace {

int freeLoopbackPort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 18049;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

} // namespace

LocalService::LocalService(std::string dataFolder) : port_(freeLoopbackPort())
{
    std::string binary = KOMBITRON_RESULTSD, portText = std::to_string(port_);
    char* argv[] = {binary.data(), const_cast<char*>("--port"), portText.data(), const_cast<char*>("--data"),
                    dataFolder.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    // Ready once it answers an unknown path.
    for (int i = 0; i < 100; ++i) {
        if (httpGet(options(), "/").httpCode == 404) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

LocalService::~LocalService()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

ServiceOptions LocalService::options() const
{
    ServiceOptions o;
    o.baseUrl = "http://127.0.0.1:" + std::to_string(port_);
    return o;
}

} // namespace kombitron::bench
