// The port service's event loop: one thread, epoll over the listening
// sockets, every client and a signalfd for SIGTERM/SIGINT/SIGHUP. Each
// client's bytes go to CPortService; its answers go back without ever
// blocking on one client, so a client that does not read only fills its own
// buffer.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "portd/PortService.h"

namespace portd {

class CSocketServer {
public:
    // Takes the listening sockets over.
    CSocketServer(CPortService& service, std::vector<int> listenFds);
    ~CSocketServer();
    CSocketServer(const CSocketServer&) = delete;
    CSocketServer& operator=(const CSocketServer&) = delete;

    // Serves until a termination signal arrives (true) or the loop itself
    // fails (false, with why).
    bool Run(std::string& why);

private:
    struct Connection {
        ClientId client;
        std::uint32_t events = 0;
    };

    void Accept(int listenFd, std::int64_t now);
    void Read(int fd, std::int64_t now);
    void Flush(std::int64_t now);
    void Drop(int fd, std::int64_t now);
    void Watch(int fd, Connection& connection);

    CPortService& service_;
    std::vector<int> listenFds_;
    int epoll_ = -1;
    int signals_ = -1;
    std::map<int, Connection> connections_;
};

// A listening socket at path for the foreground service: a stale socket
// left by a service that died is replaced, a live one or any other file is
// not. Everyone may connect; the service itself decides whom it serves.
// -1 with why on failure.
int ListenAt(const std::string& path, std::string& why);

// For a socket-activated service that cannot drive the chip: every client
// already waiting gets the refusal as its answer, rather than silence.
void AnswerWaitingClients(const std::vector<int>& listenFds, const std::vector<std::uint8_t>& answer);

std::int64_t NowMilliseconds();

}  // namespace portd
