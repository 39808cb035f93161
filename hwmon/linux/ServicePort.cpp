#include "hwmon/linux/ServicePort.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace hwmon {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kHelloWait = 3s;
// The service lets an access wait up to five seconds behind another
// client's claim; the reply comes within that.
constexpr auto kAccessWait = 8s;
constexpr auto kRetryAfterFailure = 1s;
constexpr auto kRetryAfterRefusal = 10s;

struct RefusalMeaning {
    portd::Refusal refusal;
    BackendProblem problem;
};

constexpr RefusalMeaning kRefusals[] = {
    {portd::Refusal::NotPermitted, BackendProblem::ServiceNotPermitted},
    {portd::Refusal::DriverHoldsPorts, BackendProblem::DriverHoldsPorts},
    {portd::Refusal::NoPortAccess, BackendProblem::NoPortAccess},
    {portd::Refusal::NoChip, BackendProblem::NoChip},
    {portd::Refusal::ChipBusy, BackendProblem::ChipBusy},
    {portd::Refusal::Other, BackendProblem::ServiceFailed},
};

bool Ends(portd::Status status)
{
    return status == portd::Status::NotPermitted || status == portd::Status::Unavailable ||
           status == portd::Status::BadVersion || status == portd::Status::Malformed;
}

int MillisecondsLeft(Clock::time_point end)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 60'000));
}

}  // namespace

CServicePort::CServicePort(std::string socketPath) : socketPath_(std::move(socketPath))
{
    status_.backend = "service";
    status_.state = BackendState::NotRunning;
    status_.problem = BackendProblem::ServiceNotRunning;
    status_.summary = "not running";
}

CServicePort::~CServicePort()
{
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int CServicePort::OutPortB(int port, int value)
{
    if (!IsChipPort(port)) {
        return 0;
    }
    std::lock_guard lock(mutex_);
    portd::Request request;
    request.op = portd::Op::Out;
    request.port = static_cast<std::uint16_t>(port);
    request.value = static_cast<std::uint8_t>(value);
    portd::Reply reply;
    return EnsureConnected() && Exchange(request, reply, kAccessWait) && reply.status == portd::Status::Ok ? 1 : 0;
}

int CServicePort::InPortB(int port, std::uint8_t* value)
{
    if (!IsChipPort(port) || value == nullptr) {
        return 0;
    }
    std::lock_guard lock(mutex_);
    portd::Request request;
    request.op = portd::Op::In;
    request.port = static_cast<std::uint16_t>(port);
    portd::Reply reply;
    if (!EnsureConnected() || !Exchange(request, reply, kAccessWait) || reply.status != portd::Status::Ok) {
        return 0;
    }
    *value = reply.payload[0];
    return 1;
}

IClaimLock::Outcome CServicePort::ClaimChip(std::chrono::milliseconds patience)
{
    {
        std::unique_lock gate(claimGate_);
        if (!claimFreed_.wait_for(gate, patience, [this] { return !claimed_; })) {
            return IClaimLock::Outcome::Busy;
        }
        claimed_ = true;
    }
    IClaimLock::Outcome outcome = IClaimLock::Outcome::Unavailable;
    {
        std::lock_guard lock(mutex_);
        portd::Request request;
        request.op = portd::Op::Claim;
        request.patienceMs = static_cast<std::uint16_t>(std::clamp<long long>(patience.count(), 0, 60'000));
        portd::Reply reply;
        if (EnsureConnected() && Exchange(request, reply, patience + kHelloWait)) {
            outcome = reply.status == portd::Status::Ok     ? IClaimLock::Outcome::Held
                      : reply.status == portd::Status::Busy ? IClaimLock::Outcome::Busy
                                                            : IClaimLock::Outcome::Unavailable;
        }
    }
    if (outcome != IClaimLock::Outcome::Held) {
        FreeClaim();
    }
    return outcome;
}

void CServicePort::ReleaseChip()
{
    {
        std::lock_guard lock(mutex_);
        // A connection lost while holding took the claim with it.
        if (Connected()) {
            portd::Request request;
            request.op = portd::Op::Release;
            portd::Reply reply;
            Exchange(request, reply, kHelloWait);
        }
    }
    FreeClaim();
}

void CServicePort::FreeClaim()
{
    {
        std::lock_guard gate(claimGate_);
        claimed_ = false;
    }
    claimFreed_.notify_one();
}

BackendStatus CServicePort::Status()
{
    std::lock_guard lock(mutex_);
    if (Connected()) {
        portd::Request hello;
        portd::Reply reply;
        if (Exchange(hello, reply, kHelloWait)) {
            TakeHello(reply);
            return status_;
        }
    }
    if (status_.problem == BackendProblem::ServiceFailed) {
        // The connection broke (here or in an access before): ask again at
        // once, so the answer says whether the service is there at all.
        retryAt_ = Clock::now();
    }
    EnsureConnected();
    return status_;
}

std::string CServicePort::Describe()
{
    return "velmar-portd at " + socketPath_ + ": " + Status().summary;
}

bool CServicePort::Simulate(SimulatorAction action, std::string& why)
{
    std::lock_guard lock(mutex_);
    portd::Request request;
    request.op = action == SimulatorAction::PowerOn ? portd::Op::ResetSimulated : portd::Op::SimulateOverheat;
    request.value = action == SimulatorAction::OverheatOn ? 1 : 0;
    portd::Reply reply;
    if (!EnsureConnected() || !Exchange(request, reply, kAccessWait)) {
        why = "the port service cannot be reached (" + status_.Line() + ")";
        return false;
    }
    if (reply.status != portd::Status::Ok) {
        why = reply.status == portd::Status::Unsupported ? portd::PayloadText(reply)
                                                         : "the port service kept the chip busy";
        return false;
    }
    return true;
}

bool CServicePort::EnsureConnected()
{
    if (Connected()) {
        return true;
    }
    if (Clock::now() < retryAt_) {
        return false;
    }
    return Connect();
}

bool CServicePort::Connect()
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath_.size() >= sizeof address.sun_path) {
        Drop(BackendProblem::BadSetting, "refused, the socket path is too long", kRetryAfterRefusal);
        return false;
    }
    std::memcpy(address.sun_path, socketPath_.c_str(), socketPath_.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        Drop(BackendProblem::ServiceFailed, std::string("failed, ") + std::strerror(errno), kRetryAfterFailure);
        return false;
    }
    // A service whose backlog is full makes connect wait; not forever.
    const timeval limit{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EACCES || error == EPERM) {
            Drop(BackendProblem::ServiceNotPermitted, "refused, no permission to use " + socketPath_,
                 kRetryAfterRefusal);
        } else {
            Drop(BackendProblem::ServiceNotRunning, "not running", kRetryAfterFailure);
        }
        return false;
    }
    fd_ = fd;
    received_.clear();
    portd::Request hello;
    portd::Reply reply;
    if (!Exchange(hello, reply, kHelloWait)) {
        return false;
    }
    TakeHello(reply);
    return Connected();
}

bool CServicePort::Exchange(const portd::Request& request, portd::Reply& reply, std::chrono::milliseconds wait)
{
    const auto end = Clock::now() + wait;
    // A service that refuses says so and hangs up, perhaps before our
    // request is even sent: its answer is still there to read.
    Send(portd::EncodeRequest(request), end);
    if (!Receive(reply, end)) {
        Drop(BackendProblem::ServiceFailed, "failed, the service broke off", kRetryAfterFailure);
        return false;
    }
    if (Ends(reply.status)) {
        portd::Refusal refusal{};
        std::string text;
        BackendProblem problem = BackendProblem::ServiceFailed;
        if (reply.status == portd::Status::BadVersion) {
            problem = BackendProblem::ServiceVersion;
            text = "it speaks protocol version " + std::to_string(reply.version) + ", this program " +
                   std::to_string(portd::kProtocolVersion);
        } else if (portd::ReadRefusal(reply, refusal, text)) {
            for (const auto& meaning : kRefusals) {
                if (meaning.refusal == refusal) {
                    problem = meaning.problem;
                }
            }
        } else {
            text = "it did not understand a request (" + portd::PayloadText(reply) + ")";
        }
        Drop(problem, "refused, " + text, kRetryAfterRefusal);
        return false;
    }
    if (reply.op != request.op) {
        Drop(BackendProblem::ServiceFailed, "failed, the service answered out of turn", kRetryAfterFailure);
        return false;
    }
    return true;
}

bool CServicePort::Send(const std::vector<std::uint8_t>& bytes, Clock::time_point end)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd ready{fd_, POLLOUT, 0};
            if (::poll(&ready, 1, MillisecondsLeft(end)) > 0) {
                continue;
            }
        }
        return false;
    }
    return true;
}

bool CServicePort::Receive(portd::Reply& reply, Clock::time_point end)
{
    for (;;) {
        std::size_t used = 0;
        const portd::Parse parse = portd::ParseReply(received_, reply, used);
        if (parse == portd::Parse::Complete) {
            received_.erase(received_.begin(), received_.begin() + static_cast<std::ptrdiff_t>(used));
            return true;
        }
        if (parse != portd::Parse::NeedMore) {
            return false;
        }
        pollfd ready{fd_, POLLIN, 0};
        const int polled = ::poll(&ready, 1, MillisecondsLeft(end));
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled <= 0) {
            return false;
        }
        std::uint8_t buffer[1024];
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        received_.insert(received_.end(), buffer, buffer + n);
    }
}

void CServicePort::Drop(BackendProblem problem, std::string summary, std::chrono::milliseconds retryAfter)
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    received_.clear();
    status_.state = problem == BackendProblem::ServiceNotRunning ? BackendState::NotRunning : BackendState::Refused;
    status_.problem = problem;
    status_.summary = std::move(summary);
    status_.simulated = false;
    retryAt_ = Clock::now() + retryAfter;
}

void CServicePort::TakeHello(const portd::Reply& reply)
{
    const std::string text = portd::PayloadText(reply);
    const std::size_t lineEnd = text.find('\n');
    const std::string kind = text.substr(0, lineEnd);
    const std::string chip = lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1);
    status_.state = BackendState::Working;
    status_.problem = BackendProblem::None;
    status_.simulated = kind == "simulated";
    status_.summary = status_.simulated ? "simulated " + chip + ", fans not real" : chip;
}

}  // namespace hwmon
