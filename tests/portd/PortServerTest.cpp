// The service on a real socket, with the real client libvarnio uses: clients
// that send garbage, huge lengths or half a frame, name other ports, die
// holding the claim, or lose the socket file under them, while a good client
// keeps working beside them. The chip behind records every access.
#include <gtest/gtest.h>

#include <grp.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "../hwmon/TestDoubles.h"
#include "hwmon/ChipAccessor.h"
#include "hwmon/PortClaim.h"
#include "hwmon/linux/ServicePort.h"
#include "hwmon/varnio/SimulatedChip.h"
#include "portd/PortService.h"
#include "portd/linux/SocketServer.h"

namespace portd {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kGroup = 4242;

class CChipBackend : public IServiceBackend {
public:
    hwmon::IPortIo& Port() override { return recorder; }
    std::string Description() const override { return "simulated\nW83627EHF id 0xA1"; }
    bool Simulate(hwmon::SimulatorAction action, std::string&) override
    {
        if (action == hwmon::SimulatorAction::PowerOn) {
            chip = hwmon::CSimulatedChip();
        }
        return true;
    }
    hwmon::CSimulatedChip chip;
    hwmon::test::CRecordingPort recorder{chip};
};

// IPortIo over the service client with its claims, nested as CVarnioPort
// nests them.
class CClaimedService : public hwmon::IPortIo {
public:
    explicit CClaimedService(const std::string& path) : service(path), claim(service) {}
    int OutPortB(int port, int value) override { return service.OutPortB(port, value); }
    int InPortB(int port, std::uint8_t* value) override { return service.InPortB(port, value); }
    void Claim() override
    {
        if (depth++ == 0) {
            held = claim.Acquire(3s) == hwmon::IClaimLock::Outcome::Held;
        }
    }
    void Release() override
    {
        if (--depth == 0) {
            claim.Release();
        }
    }
    hwmon::CServicePort service;
    hwmon::CServiceClaim claim;
    int depth = 0;
    bool held = false;
};

int Connect(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? fd : -1;
}

// The whole answer until the service hangs up (or a second passes).
std::vector<std::uint8_t> SendAndRead(int fd, const std::vector<std::uint8_t>& bytes)
{
    ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    timeval limit{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    std::vector<std::uint8_t> answer;
    std::uint8_t buffer[256];
    for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) {
        answer.insert(answer.end(), buffer, buffer + n);
    }
    return answer;
}

Status FirstStatus(const std::vector<std::uint8_t>& answer)
{
    Reply reply;
    std::size_t used = 0;
    return ParseReply(answer, reply, used) == Parse::Complete ? reply.status : Status::Failed;
}

class PortServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/portd-server-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        std::filesystem::permissions(dir_, std::filesystem::perms(0755));
        path_ = dir_ + "/portd.sock";
        // The server's signalfd takes SIGTERM only while no thread takes it.
        sigset_t signals;
        sigemptyset(&signals);
        sigaddset(&signals, SIGTERM);
        ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
        std::string why;
        const int fd = ListenAt(path_, why);
        ASSERT_GE(fd, 0) << why;
        ServiceLimits limits;
        limits.claimLeaseMs = 1500;
        service_ = std::make_unique<CPortService>(backend_, PeerPolicy{kGroup, "velmar"}, limits);
        server_ = std::make_unique<CSocketServer>(*service_, std::vector<int>{fd});
        thread_ = std::thread([this] {
            std::string error;
            served_ = server_->Run(error);
        });
    }
    void TearDown() override
    {
        ::kill(::getpid(), SIGTERM);
        thread_.join();
        EXPECT_TRUE(served_);
        EXPECT_TRUE(backend_.recorder.OnlyChipPorts());
        std::filesystem::remove_all(dir_);
    }

    // Programs a target through the service under one claim, then reads it back.
    static bool ProgramTarget(CClaimedService& port, std::uint8_t target)
    {
        hwmon::CPortClaim claim(port);
        hwmon::CChipAccessor chip(port);
        std::uint8_t read = 0;
        return port.held && chip.WriteRegister(0x06, target) > 0 && chip.ReadRegister(0x06, read) > 0 &&
               read == target;
    }

    std::string dir_, path_;
    CChipBackend backend_;
    std::unique_ptr<CPortService> service_;
    std::unique_ptr<CSocketServer> server_;
    std::thread thread_;
    bool served_ = false;
};

TEST_F(PortServerTest, TheClientSeesTheChipAndItsStatus)
{
    hwmon::CServicePort client(path_);
    EXPECT_EQ(client.Status().Line(), "service: simulated W83627EHF id 0xA1, fans not real");
    EXPECT_TRUE(client.Status().Working());
    hwmon::CChipAccessor chip(client);
    std::uint8_t id = 0;
    EXPECT_EQ(chip.ReadChipId(id), 1);
    EXPECT_EQ(id, 0xA1);
    std::uint8_t untouched = 0x5A;
    EXPECT_EQ(client.InPortB(0x80, &untouched), 0);
    EXPECT_EQ(untouched, 0x5A);
    std::string why;
    EXPECT_TRUE(client.Simulate(hwmon::SimulatorAction::PowerOn, why)) << why;

    hwmon::CServicePort nobody(dir_ + "/missing.sock");
    EXPECT_EQ(nobody.Status().Line(), "service: not running");
    EXPECT_EQ(nobody.OutPortB(0x295, 0x4E), 0);
}

TEST_F(PortServerTest, BadClientsLeaveTheServiceAndTheOthersAlone)
{
    CClaimedService good(path_);
    ASSERT_TRUE(ProgramTarget(good, 40));

    EXPECT_EQ(FirstStatus(SendAndRead(Connect(path_), {'G', 'E', 'T', ' ', '/', '\n'})), Status::BadVersion);
    EXPECT_EQ(FirstStatus(SendAndRead(Connect(path_), {1, 3, 0xFF, 0xFF})), Status::Malformed);
    for (const std::uint16_t port : {0x80, 0x2E}) {
        Request request;
        request.op = Op::Out;
        request.port = port;
        request.value = 0x87;
        const int fd = Connect(path_);
        const auto bytes = EncodeRequest(request);
        ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        std::uint8_t answer[5];
        ASSERT_EQ(::recv(fd, answer, sizeof answer, MSG_WAITALL), 5);
        EXPECT_EQ(answer[2], static_cast<std::uint8_t>(Status::PortRefused));
        ::close(fd);
    }
    const int half = Connect(path_);
    ::send(half, "\x01\x03\x03", 3, MSG_NOSIGNAL);  // and then nothing

    // A client that dies holding the claim takes it with it.
    const pid_t holder = ::fork();
    if (holder == 0) {
        CClaimedService dying(path_);
        dying.Claim();
        ::_exit(dying.held ? 0 : 1);  // exits with the claim held
    }
    int status = 0;
    ASSERT_EQ(::waitpid(holder, &status, 0), holder);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(ProgramTarget(good, 41));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms);  // no lease had to run out

    // The socket file removed under connected clients: they carry on.
    std::filesystem::remove(path_);
    EXPECT_TRUE(ProgramTarget(good, 42));
    EXPECT_EQ(good.service.Status().Line(), "service: simulated W83627EHF id 0xA1, fans not real");
    ::close(half);
}

TEST_F(PortServerTest, AStuckHolderKeepsTheChipNoLongerThanItsLease)
{
    const int stuck = Connect(path_);
    Request claim;
    claim.op = Op::Claim;
    const auto bytes = EncodeRequest(claim);
    ::send(stuck, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    std::uint8_t granted[5];
    ASSERT_EQ(::recv(stuck, granted, sizeof granted, MSG_WAITALL), 5);

    CClaimedService good(path_);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(ProgramTarget(good, 50));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 1000ms);
    EXPECT_LT(waited, 3s);
    ::close(stuck);
}

TEST_F(PortServerTest, AUserOutsideTheGroupIsToldWhy)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(4244, 4244, 4244) != 0 || ::setresuid(4244, 4244, 4244) != 0) {
            ::_exit(3);
        }
        hwmon::CServicePort client(path_);
        const hwmon::BackendStatus status = client.Status();
        const bool told = status.problem == hwmon::BackendProblem::ServiceNotPermitted &&
                          status.summary == "refused, user (uid 4244) is neither root nor in the group velmar";
        ::_exit(told && client.OutPortB(0x295, 0x4E) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(backend_.recorder.ops.empty());
}

}  // namespace
}  // namespace portd
