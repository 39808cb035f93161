// Who the port service serves: root, and members of one group (normally
// "velmar"). Everyone else is told why not, in words that say what to do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace portd {

struct PeerCredentials {
    std::uint32_t uid = 0;
    std::uint32_t gid = 0;
    std::int32_t pid = 0;
    std::vector<std::uint32_t> groups;  // the peer's supplementary groups when it connected
    std::string userName;               // empty when the uid has no name
};

struct PeerPolicy {
    std::uint32_t allowedGid = 0;
    std::string groupName;  // as the user knows it, for the refusal text
};

// Empty when the peer is served.
std::string RefusalFor(const PeerPolicy& policy, const PeerCredentials& peer);

}  // namespace portd
