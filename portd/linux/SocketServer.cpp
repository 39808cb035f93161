#include "portd/linux/SocketServer.h"

#include <signal.h>
#include <sys/epoll.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "portd/linux/PeerCredentials.h"

namespace portd {
namespace {

constexpr int kBacklog = 64;

bool IsListening(const std::vector<int>& fds, int fd) { return std::find(fds.begin(), fds.end(), fd) != fds.end(); }

bool FillAddress(const std::string& path, sockaddr_un& address, std::string& why)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        why = "the socket path must have 1 to " + std::to_string(sizeof address.sun_path - 1) + " characters";
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

std::int64_t NowMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

CSocketServer::CSocketServer(CPortService& service, std::vector<int> listenFds)
    : service_(service), listenFds_(std::move(listenFds))
{
}

CSocketServer::~CSocketServer()
{
    for (const auto& [fd, connection] : connections_) {
        ::close(fd);
    }
    for (const int fd : listenFds_) {
        ::close(fd);
    }
    if (signals_ >= 0) {
        ::close(signals_);
    }
    if (epoll_ >= 0) {
        ::close(epoll_);
    }
}

bool CSocketServer::Run(std::string& why)
{
    epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
    sigset_t termination;
    sigemptyset(&termination);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaddset(&termination, signal);
    }
    ::sigprocmask(SIG_BLOCK, &termination, nullptr);
    // A client that hangs up before its answer is sent must not end us.
    ::signal(SIGPIPE, SIG_IGN);
    signals_ = ::signalfd(-1, &termination, SFD_CLOEXEC | SFD_NONBLOCK);
    if (epoll_ < 0 || signals_ < 0) {
        why = std::string("cannot watch the sockets: ") + std::strerror(errno);
        return false;
    }
    epoll_event watch{};
    watch.events = EPOLLIN;
    watch.data.fd = signals_;
    ::epoll_ctl(epoll_, EPOLL_CTL_ADD, signals_, &watch);
    for (const int fd : listenFds_) {
        watch.data.fd = fd;
        if (::epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &watch) != 0) {
            why = std::string("cannot watch the listening socket: ") + std::strerror(errno);
            return false;
        }
    }

    epoll_event events[64];
    for (;;) {
        int timeout = -1;
        if (const auto deadline = service_.NextDeadline()) {
            timeout = static_cast<int>(std::clamp<std::int64_t>(*deadline - NowMilliseconds() + 1, 0, 60'000));
        }
        const int count = ::epoll_wait(epoll_, events, 64, timeout);
        if (count < 0 && errno != EINTR) {
            why = std::string("epoll_wait: ") + std::strerror(errno);
            return false;
        }
        const std::int64_t now = NowMilliseconds();
        for (int i = 0; i < count; ++i) {
            const int fd = events[i].data.fd;
            if (fd == signals_) {
                signalfd_siginfo taken{};
                if (::read(signals_, &taken, sizeof taken) < 0) {
                    continue;
                }
                return true;
            }
            if (IsListening(listenFds_, fd)) {
                Accept(fd, now);
            } else if ((events[i].events & (EPOLLHUP | EPOLLERR | EPOLLRDHUP)) != 0) {
                // The client is gone; nobody is left to answer.
                Drop(fd, now);
            } else if ((events[i].events & EPOLLIN) != 0) {
                Read(fd, now);
            }
        }
        service_.Tick(NowMilliseconds());
        Flush(NowMilliseconds());
    }
}

void CSocketServer::Accept(int listenFd, std::int64_t now)
{
    for (;;) {
        const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            return;  // none left (EAGAIN), or a client that vanished meanwhile
        }
        PeerCredentials peer;
        const auto client = ReadPeerCredentials(fd, peer) ? service_.Open(peer, now) : std::nullopt;
        if (!client) {
            ::close(fd);
            continue;
        }
        Connection& connection = connections_[fd];
        connection.client = *client;
        epoll_event watch{};
        watch.data.fd = fd;
        ::epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &watch);
        Watch(fd, connection);
    }
}

void CSocketServer::Read(int fd, std::int64_t now)
{
    const auto found = connections_.find(fd);
    if (found == connections_.end()) {
        return;
    }
    const ClientId client = found->second.client;
    std::uint8_t buffer[4096];
    const std::size_t room = std::min(sizeof buffer, service_.InputRoom(client));
    if (room == 0) {
        return;
    }
    const ssize_t n = ::recv(fd, buffer, room, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
        Drop(fd, now);
        return;
    }
    if (n > 0) {
        service_.Receive(client, std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)), now);
    }
}

void CSocketServer::Flush(std::int64_t now)
{
    std::vector<int> finished;
    for (auto& [fd, connection] : connections_) {
        const ClientId client = connection.client;
        bool broken = false;
        for (auto output = service_.Output(client); !output.empty(); output = service_.Output(client)) {
            const ssize_t n = ::send(fd, output.data(), output.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0) {
                broken = errno != EAGAIN && errno != EINTR;
                break;
            }
            service_.Sent(client, static_cast<std::size_t>(n), now);
        }
        if (broken || service_.ShouldClose(client)) {
            finished.push_back(fd);
        } else {
            Watch(fd, connection);
        }
    }
    for (const int fd : finished) {
        Drop(fd, now);
    }
}

void CSocketServer::Drop(int fd, std::int64_t now)
{
    const auto found = connections_.find(fd);
    if (found == connections_.end()) {
        return;
    }
    const ClientId client = found->second.client;
    ::epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, nullptr);
    ::close(fd);
    connections_.erase(found);
    service_.Close(client, now);
}

void CSocketServer::Watch(int fd, Connection& connection)
{
    std::uint32_t events = EPOLLRDHUP;
    if (service_.InputRoom(connection.client) > 0) {
        events |= EPOLLIN;
    }
    if (!service_.Output(connection.client).empty()) {
        events |= EPOLLOUT;
    }
    if (events == connection.events) {
        return;
    }
    connection.events = events;
    epoll_event watch{};
    watch.events = events;
    watch.data.fd = fd;
    ::epoll_ctl(epoll_, EPOLL_CTL_MOD, fd, &watch);
}

int ListenAt(const std::string& path, std::string& why)
{
    sockaddr_un address;
    if (!FillAddress(path, address, why)) {
        return -1;
    }
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode)) {
            why = path + " exists and is not a socket";
            return -1;
        }
        const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool live = probe >= 0 && ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (probe >= 0) {
            ::close(probe);
        }
        if (live) {
            why = "another service already listens on " + path;
            return -1;
        }
        ::unlink(path.c_str());
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(path.c_str(), 0666) != 0 || ::listen(fd, kBacklog) != 0) {
        why = "cannot listen on " + path + ": " + std::strerror(errno);
        if (fd >= 0) {
            ::close(fd);
        }
        return -1;
    }
    return fd;
}

void AnswerWaitingClients(const std::vector<int>& listenFds, const std::vector<std::uint8_t>& answer)
{
    for (const int listenFd : listenFds) {
        for (;;) {
            const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) {
                break;
            }
            ::send(fd, answer.data(), answer.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            ::close(fd);
        }
    }
}

}  // namespace portd
