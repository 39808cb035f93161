#include "portd/PeerPolicy.h"

#include <algorithm>

namespace portd {

std::string RefusalFor(const PeerPolicy& policy, const PeerCredentials& peer)
{
    const bool member = peer.gid == policy.allowedGid ||
                        std::find(peer.groups.begin(), peer.groups.end(), policy.allowedGid) != peer.groups.end();
    if (peer.uid == 0 || member) {
        return {};
    }
    const std::string who = (peer.userName.empty() ? "user" : peer.userName) + " (uid " + std::to_string(peer.uid) + ")";
    return who + " is neither root nor in the group " + policy.groupName;
}

}  // namespace portd
