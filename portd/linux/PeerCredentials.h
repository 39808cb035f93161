// Who is on the other end of a Unix socket, as the kernel recorded it when
// the peer connected: user, group, process and supplementary groups. The
// supplementary groups are the peer process's own (SO_PEERGROUPS), not what
// /etc/group says today, so a user added to the group is served once their
// session has the group, exactly as file permissions would treat them.
#pragma once

#include <cstdint>
#include <string>

#include "portd/PeerPolicy.h"

namespace portd {

bool ReadPeerCredentials(int fd, PeerCredentials& peer);

// A group given by name or number. False with why when a name is unknown.
bool ResolveGroup(const std::string& nameOrId, std::uint32_t& gid, std::string& name, std::string& why);

}  // namespace portd
