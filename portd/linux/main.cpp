// velmar-portd: the only program of this system that runs as root and the
// only one that touches the chip's ports. Exit codes: 0 ended by a signal,
// 1 cannot serve (the chip cannot be driven, no socket), 2 bad arguments.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "portd/PortService.h"
#include "portd/ServiceOptions.h"
#include "portd/linux/ListenFds.h"
#include "portd/linux/PeerCredentials.h"
#include "portd/linux/ServiceBackend.h"
#include "portd/linux/SocketServer.h"

using namespace portd;

namespace {

int Fail(const std::string& text)
{
    std::fprintf(stderr, "velmar-portd: %s\n", text.c_str());
    return 1;
}

// The socket file we made, removed on the way out unless another service
// has replaced it meanwhile.
struct OwnSocket {
    std::string path;
    ino_t inode = 0;
    ~OwnSocket()
    {
        struct stat now {};
        if (!path.empty() && ::lstat(path.c_str(), &now) == 0 && now.st_ino == inode) {
            ::unlink(path.c_str());
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    std::string error;
    const ServiceOptions options = ParseServiceOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (options.help) {
        std::fputs(kServiceUsage, stdout);
        return 0;
    }
    if (!error.empty()) {
        std::fprintf(stderr, "velmar-portd: %s\n%s", error.c_str(), kServiceUsage);
        return 2;
    }

    std::vector<int> listenFds = TakeListenFds();
    const bool activated = !listenFds.empty();
    if (!activated && options.socketPath.empty()) {
        return Fail("no socket: give --socket PATH, or start it through velmar-portd.socket");
    }

    PeerPolicy policy;
    if (!ResolveGroup(options.group, policy.allowedGid, policy.groupName, error)) {
        return Fail(error);
    }

    hwmon::BackendRefusal refusal;
    const auto backend = CServiceBackend::Open(options, refusal);
    if (backend == nullptr) {
        if (activated) {
            // The client that woke us waits for an answer; give it the reason.
            for (const int fd : listenFds) {
                ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            }
            AnswerWaitingClients(listenFds, EncodeReply(RefusalReply(Op::Hello, Status::Unavailable,
                                                                     WireRefusal(refusal.problem), refusal.summary)));
        }
        return Fail("refusing to start: " + refusal.text);
    }

    OwnSocket own;
    if (!activated) {
        const int fd = ListenAt(options.socketPath, error);
        if (fd < 0) {
            return Fail(error);
        }
        struct stat made {};
        ::lstat(options.socketPath.c_str(), &made);
        own.path = options.socketPath;
        own.inode = made.st_ino;
        listenFds.push_back(fd);
    }
    for (const int fd : listenFds) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }

    ServiceLimits limits;
    limits.claimLeaseMs = options.claimTimeoutMs;
    CPortService service(*backend, policy, limits);
    std::string chip = backend->Description();
    chip[chip.find('\n')] = ' ';
    std::fprintf(stderr, "velmar-portd: serving root and the group %s (%u) on %s: %s\n", policy.groupName.c_str(),
                 policy.allowedGid, activated ? "the socket from systemd" : options.socketPath.c_str(), chip.c_str());
    std::fflush(stderr);
    CSocketServer server(service, listenFds);
    if (!server.Run(error)) {
        return Fail(error);
    }
    return 0;
}
