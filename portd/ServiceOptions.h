// velmar-portd's command line. Under systemd the socket comes from the
// socket unit and only the backend is given; in the foreground (tests,
// systems without systemd) the socket path is given too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace portd {

struct ServiceOptions {
    bool help = false;
    std::string socketPath;          // empty: the socket comes from systemd
    std::string backend = "direct";  // "direct" or "simulated"
    std::string stateFile;           // simulated chip's state; empty = beside the socket
    std::uint8_t chipId = 0xA1;
    std::string group = "velmar";    // a name or a numeric group id
    std::int64_t claimTimeoutMs = 2000;
};

// Empty error = parsed.
ServiceOptions ParseServiceOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kServiceUsage;

}  // namespace portd
