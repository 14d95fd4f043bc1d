#pragma once

#include <string>
#include <sys/types.h>

#include "history/service_client.h"

namespace kombitron::bench {

// kombitron-resultsd on a free loopback port, serving the game files of `dataFolder` (data/ by
// default), for the length of one benchmark.
class LocalService {
public:
    explicit LocalService(std::string dataFolder = std::string(KOMBITRON_SOURCE_DIR) + "/data");
    ~LocalService();
    LocalService(const LocalService&) = delete;
    LocalService& operator=(const LocalService&) = delete;

    ServiceOptions options() const;

private:
    int port_;
    pid_t pid_ = -1;
};

} // namespace kombitron::bench
