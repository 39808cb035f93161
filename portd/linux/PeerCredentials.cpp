#include "portd/linux/PeerCredentials.h"

#include <grp.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <vector>

namespace portd {
namespace {

std::string UserName(uid_t uid)
{
    std::vector<char> buffer(4096);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
        return {};
    }
    return found->pw_name;
}

bool PeerGroups(int fd, std::vector<std::uint32_t>& groups)
{
    std::vector<gid_t> list(64);
    for (int attempt = 0; attempt < 4; ++attempt) {
        socklen_t size = static_cast<socklen_t>(list.size() * sizeof(gid_t));
        if (::getsockopt(fd, SOL_SOCKET, SO_PEERGROUPS, list.data(), &size) == 0) {
            list.resize(size / sizeof(gid_t));
            groups.assign(list.begin(), list.end());
            return true;
        }
        if (errno != ERANGE) {
            return false;
        }
        list.resize(size / sizeof(gid_t) + 1);
    }
    return false;
}

}  // namespace

bool ReadPeerCredentials(int fd, PeerCredentials& peer)
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) {
        return false;
    }
    peer.uid = credentials.uid;
    peer.gid = credentials.gid;
    peer.pid = credentials.pid;
    peer.userName = UserName(credentials.uid);
    // Without the peer's own groups (a kernel before 4.13) it is served by
    // its primary group only: never more than it really has.
    peer.groups.clear();
    PeerGroups(fd, peer.groups);
    return true;
}

bool ResolveGroup(const std::string& nameOrId, std::uint32_t& gid, std::string& name, std::string& why)
{
    std::uint32_t number = 0;
    const char* end = nameOrId.data() + nameOrId.size();
    const auto [ptr, ec] = std::from_chars(nameOrId.data(), end, number);
    if (ec == std::errc() && ptr == end && !nameOrId.empty()) {
        gid = number;
        const group* entry = ::getgrgid(number);
        name = entry != nullptr ? entry->gr_name : "with id " + nameOrId;
        return true;
    }
    const group* entry = ::getgrnam(nameOrId.c_str());
    if (entry == nullptr) {
        why = "the group " + nameOrId + " does not exist (it comes with the service's sysusers.d entry: run "
              "sudo systemd-sysusers)";
        return false;
    }
    gid = entry->gr_gid;
    name = entry->gr_name;
    return true;
}

}  // namespace portd
