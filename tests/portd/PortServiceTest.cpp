// The port service's rules on their own, with a simulated chip behind a
// recorder that sees every access: whom it serves, which ports it touches,
// how claims order the clients, and what bad frames do to the others.
#include <gtest/gtest.h>

#include <random>

#include "../hwmon/TestDoubles.h"
#include "hwmon/varnio/SimulatedChip.h"
#include "portd/PortService.h"

namespace portd {
namespace {

using hwmon::test::CRecordingPort;
using hwmon::test::PortOp;

class CTestBackend : public IServiceBackend {
public:
    hwmon::IPortIo& Port() override { return recorder; }
    std::string Description() const override { return "simulated\nW83627EHF id 0xA1"; }
    bool Simulate(hwmon::SimulatorAction action, std::string&) override
    {
        actions.push_back(action);
        if (action == hwmon::SimulatorAction::PowerOn) {
            chip = hwmon::CSimulatedChip();
            ++resets;
        }
        return true;
    }
    std::vector<hwmon::SimulatorAction> actions;
    hwmon::CSimulatedChip chip;
    CRecordingPort recorder{chip};
    int resets = 0;
};

constexpr std::uint32_t kVelmarGid = 990;

PeerCredentials Member() { return {1000, 1000, 42, {27, kVelmarGid}, "alice"}; }
PeerCredentials Outsider() { return {1001, 1001, 43, {27}, "bob"}; }

std::vector<std::uint8_t> Frame(Op op, std::uint16_t port = 0, std::uint8_t value = 0, std::uint16_t patience = 0)
{
    Request request;
    request.op = op;
    request.port = port;
    request.value = value;
    request.patienceMs = patience;
    return EncodeRequest(request);
}

class PortServiceTest : public ::testing::Test {
protected:
    PortServiceTest() : service(backend, {kVelmarGid, "velmar"}, Limits()) {}

    static ServiceLimits Limits()
    {
        ServiceLimits limits;
        limits.claimLeaseMs = 1000;
        limits.accessWaitMs = 3000;
        limits.partialFrameMs = 500;
        return limits;
    }

    ClientId Open(const PeerCredentials& peer = Member()) { return *service.Open(peer, now); }

    void Send(ClientId client, const std::vector<std::uint8_t>& bytes) { service.Receive(client, bytes, now); }

    // Every answer the client has, taken off its output.
    std::vector<Reply> Replies(ClientId client)
    {
        std::vector<Reply> replies;
        const auto bytes = service.Output(client);
        std::size_t at = 0;
        for (;;) {
            Reply reply;
            std::size_t used = 0;
            if (ParseReply(bytes.subspan(at), reply, used) != Parse::Complete) {
                break;
            }
            replies.push_back(reply);
            at += used;
        }
        EXPECT_EQ(at, bytes.size()) << "a reply the client could not read";
        service.Sent(client, bytes.size(), now);
        return replies;
    }

    Status Ask(ClientId client, const std::vector<std::uint8_t>& frame)
    {
        Send(client, frame);
        const auto replies = Replies(client);
        EXPECT_EQ(replies.size(), 1u);
        return replies.empty() ? Status::Failed : replies[0].status;
    }

    int WriteRegister(ClientId client, std::uint8_t index, std::uint8_t value)
    {
        return (Ask(client, Frame(Op::Out, 0x295, index)) == Status::Ok) +
               (Ask(client, Frame(Op::Out, 0x296, value)) == Status::Ok);
    }

    void Advance(std::int64_t ms)
    {
        now += ms;
        service.Tick(now);
    }

    CTestBackend backend;
    CPortService service;
    std::int64_t now = 1000;
};

TEST_F(PortServiceTest, ServesOnlyTheChipPorts)
{
    const ClientId client = Open();
    Send(client, Frame(Op::Hello));
    const auto hello = Replies(client);
    ASSERT_EQ(hello.size(), 1u);
    EXPECT_EQ(hello[0].status, Status::Ok);
    EXPECT_EQ(PayloadText(hello[0]), "simulated\nW83627EHF id 0xA1");

    EXPECT_EQ(WriteRegister(client, 0x58, 0x00), 2);  // 0x58 ignores writes
    Send(client, Frame(Op::In, 0x296));
    const auto id = Replies(client);
    ASSERT_EQ(id.size(), 1u);
    EXPECT_EQ(id[0].payload, std::vector<std::uint8_t>{0xA1});

    const std::size_t before = backend.recorder.ops.size();
    for (const std::uint16_t port : {0x80, 0x2E, 0x2F, 0x294, 0x297, 0x4E, 0xFFFF}) {
        EXPECT_EQ(Ask(client, Frame(Op::Out, port, 0x87)), Status::PortRefused) << port;
        EXPECT_EQ(Ask(client, Frame(Op::In, port)), Status::PortRefused) << port;
    }
    EXPECT_EQ(backend.recorder.ops.size(), before);
    EXPECT_TRUE(backend.recorder.OnlyChipPorts());
}

TEST_F(PortServiceTest, OnlyRootAndTheGroupAreServed)
{
    for (const PeerCredentials& peer : {Member(), PeerCredentials{1002, kVelmarGid, 44, {}, "carol"},
                                        PeerCredentials{0, 0, 1, {}, "root"}}) {
        const ClientId client = Open(peer);
        EXPECT_EQ(Ask(client, Frame(Op::Hello)), Status::Ok) << peer.userName;
    }

    const ClientId outsider = Open(Outsider());
    Send(outsider, Frame(Op::Out, 0x295, 0x58));
    const auto replies = Replies(outsider);
    ASSERT_EQ(replies.size(), 1u);
    Refusal why{};
    std::string text;
    ASSERT_TRUE(ReadRefusal(replies[0], why, text));
    EXPECT_EQ(why, Refusal::NotPermitted);
    EXPECT_EQ(text, "bob (uid 1001) is neither root nor in the group velmar");
    EXPECT_TRUE(service.ShouldClose(outsider));
    EXPECT_TRUE(backend.recorder.ops.empty());
}

// A claim keeps everyone else off the pair; they get it in arrival order.
TEST_F(PortServiceTest, ClaimsOrderTheClients)
{
    const ClientId a = Open(), b = Open(), c = Open();
    EXPECT_EQ(Ask(a, Frame(Op::Claim, 0, 0, 2000)), Status::Ok);
    EXPECT_EQ(Ask(a, Frame(Op::Claim, 0, 0, 2000)), Status::Ok);  // nested claims are the client's own count
    Send(b, Frame(Op::Out, 0x295, 0x06));
    // c sends its claim and the write under it at once; the write waits
    // unread behind the claim.
    auto claimThenWrite = Frame(Op::Claim, 0, 0, 2000);
    const auto write = Frame(Op::Out, 0x295, 0x07);
    claimThenWrite.insert(claimThenWrite.end(), write.begin(), write.end());
    Send(c, claimThenWrite);
    EXPECT_TRUE(Replies(b).empty());
    EXPECT_TRUE(Replies(c).empty());
    EXPECT_EQ(service.InputRoom(b), 0u);

    EXPECT_EQ(WriteRegister(a, 0x05, 41), 2);
    EXPECT_EQ(Ask(a, Frame(Op::Release)), Status::Ok);
    // b's waiting write runs, then c gets the claim and its write runs.
    ASSERT_EQ(Replies(b).size(), 1u);
    const auto cReplies = Replies(c);
    ASSERT_EQ(cReplies.size(), 2u);
    EXPECT_EQ(cReplies[0].op, Op::Claim);
    EXPECT_EQ(cReplies[1].op, Op::Out);
    EXPECT_EQ(service.Holder(), c);
    EXPECT_EQ(backend.recorder.Indexes(), (std::vector<int>{0x05, 0x06, 0x07}));
}

TEST_F(PortServiceTest, AHolderThatHangsLosesTheClaimAfterItsLease)
{
    const ClientId stuck = Open(), waiting = Open();
    EXPECT_EQ(Ask(stuck, Frame(Op::Claim, 0, 0, 100)), Status::Ok);
    Send(waiting, Frame(Op::Claim, 0, 0, 5000));
    Advance(999);
    EXPECT_TRUE(Replies(waiting).empty());
    Advance(1);
    ASSERT_EQ(Replies(waiting).size(), 1u);
    EXPECT_EQ(service.Holder(), waiting);

    // Whatever the stuck client still sends under its lost claim is refused
    // without reaching the chip, until it releases.
    const std::size_t before = backend.recorder.ops.size();
    EXPECT_EQ(Ask(stuck, Frame(Op::Out, 0x296, 0xFF)), Status::Revoked);
    EXPECT_EQ(Ask(stuck, Frame(Op::Release)), Status::Revoked);
    EXPECT_EQ(backend.recorder.ops.size(), before);
    EXPECT_EQ(service.Holder(), waiting);
}

TEST_F(PortServiceTest, WaitsEndAtTheirDeadlineAndWithTheHolder)
{
    const ClientId holder = Open(), impatient = Open(), patient = Open();
    EXPECT_EQ(Ask(holder, Frame(Op::Claim, 0, 0, 0)), Status::Ok);
    Send(impatient, Frame(Op::Claim, 0, 0, 200));
    Send(patient, Frame(Op::Claim, 0, 0, 5000));
    Advance(200);
    const auto gaveUp = Replies(impatient);
    ASSERT_EQ(gaveUp.size(), 1u);
    EXPECT_EQ(gaveUp[0].status, Status::Busy);

    // A holder that dies (its connection closes) hands the claim on at once.
    service.Close(holder, now);
    ASSERT_EQ(Replies(patient).size(), 1u);
    EXPECT_EQ(service.Holder(), patient);
}

TEST_F(PortServiceTest, BadFramesEndOnlyTheirOwnConnection)
{
    const ClientId holder = Open();
    EXPECT_EQ(Ask(holder, Frame(Op::Claim, 0, 0, 1000)), Status::Ok);
    const std::vector<std::vector<std::uint8_t>> bad = {
        {0x47, 0x45, 0x54, 0x20, 0x2F},  // garbage
        {1, 3, 0xFF, 0xFF, 0x95, 0x02},  // a huge length
        {1, 99, 0, 0},                   // an operation that does not exist
        {1, 3, 2, 0, 0x95, 0x02},        // a write without its value
        {2, 1, 0, 0},                    // another protocol version
    };
    for (const auto& frame : bad) {
        const ClientId client = Open();
        Send(client, frame);
        const auto replies = Replies(client);
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_TRUE(replies[0].status == Status::Malformed || replies[0].status == Status::BadVersion);
        EXPECT_TRUE(service.ShouldClose(client));
        service.Close(client, now);
    }
    // The claim holder noticed nothing.
    EXPECT_EQ(service.Holder(), holder);
    EXPECT_EQ(WriteRegister(holder, 0x05, 44), 2);

    // Half a frame and then nothing: the connection ends after the limit,
    // the holder's claim stays.
    const ClientId half = Open();
    Send(half, {1, 3, 3});
    Advance(499);
    EXPECT_FALSE(service.ShouldClose(half));
    Advance(1);
    EXPECT_TRUE(Replies(half).size() == 1u && service.ShouldClose(half));
    EXPECT_EQ(service.Holder(), holder);
    EXPECT_TRUE(backend.recorder.OnlyChipPorts());
}

TEST_F(PortServiceTest, AClientThatDoesNotReadIsNotReadEither)
{
    const ClientId greedy = Open();
    std::vector<std::uint8_t> many;
    for (int i = 0; i < 1000; ++i) {
        const auto frame = Frame(Op::In, 0x296);
        many.insert(many.end(), frame.begin(), frame.end());
    }
    for (int round = 0; round < 40 && service.InputRoom(greedy) > 0; ++round) {
        Send(greedy, many);
    }
    EXPECT_EQ(service.InputRoom(greedy), 0u);
    EXPECT_LE(service.Output(greedy).size(), ServiceLimits{}.maxOutput + 16);
    // Another client is served meanwhile.
    EXPECT_EQ(Ask(Open(), Frame(Op::Hello)), Status::Ok);
}

TEST_F(PortServiceTest, ResetWaitsForTheHolderLikeAnAccess)
{
    const ClientId holder = Open(), resetter = Open();
    EXPECT_EQ(Ask(holder, Frame(Op::Claim, 0, 0, 0)), Status::Ok);
    Send(resetter, Frame(Op::ResetSimulated));
    EXPECT_EQ(backend.resets, 0);
    EXPECT_EQ(Ask(holder, Frame(Op::Release)), Status::Ok);
    EXPECT_EQ(backend.resets, 1);
    EXPECT_EQ(Replies(resetter)[0].status, Status::Ok);
    // The overheat knob reaches the chip the same way, and says which way.
    EXPECT_EQ(Ask(resetter, Frame(Op::SimulateOverheat, 0, 1, 0)), Status::Ok);
    EXPECT_EQ(Ask(resetter, Frame(Op::SimulateOverheat, 0, 0, 0)), Status::Ok);
    EXPECT_EQ(backend.actions, (std::vector{hwmon::SimulatorAction::PowerOn, hwmon::SimulatorAction::OverheatOn,
                                            hwmon::SimulatorAction::OverheatOff}));
}

// Thousands of frames, valid and not, from clients that come and go: the
// chip sees only its two ports, and ends up exactly as a chip that received
// the served accesses in order, so nothing else reached it.
TEST_F(PortServiceTest, RandomFramesReachNothingButTheServedAccesses)
{
    std::mt19937 random(20240613);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::uint16_t ports[] = {0x295, 0x296, 0x295, 0x296, 0x80, 0x2E, 0x2F, 0x294, 0x297, 0};
    std::vector<ClientId> clients = {Open(), Open(), Open()};
    int served = 0, refused = 0;
    for (int i = 0; i < 5000; ++i) {
        ClientId& client = clients[static_cast<std::size_t>(byte(random)) % clients.size()];
        std::vector<std::uint8_t> frame;
        switch (byte(random) % 6) {
        case 0:
            frame.resize(static_cast<std::size_t>(1 + byte(random) % 12));
            for (auto& b : frame) {
                b = static_cast<std::uint8_t>(byte(random));
            }
            break;
        case 1:
            frame = Frame(Op::In, ports[byte(random) % 10]);
            break;
        case 2:
            frame = Frame(static_cast<Op>(1 + byte(random) % 5), ports[byte(random) % 10],
                          static_cast<std::uint8_t>(byte(random)), static_cast<std::uint16_t>(byte(random)));
            if (byte(random) < 40) {
                frame[3] = static_cast<std::uint8_t>(byte(random));  // a wrong length
            }
            break;
        default:
            frame = Frame(Op::Out, ports[byte(random) % 10], static_cast<std::uint8_t>(byte(random)));
            break;
        }
        Send(client, frame);
        for (const Reply& reply : Replies(client)) {
            served += reply.status == Status::Ok;
            refused += reply.status == Status::PortRefused;
        }
        Advance(byte(random) % 50);
        if (service.ShouldClose(client) || byte(random) < 8) {
            service.Close(client, now);
            client = Open();
        }
    }
    EXPECT_GT(served, 1000);
    EXPECT_GT(refused, 500);
    ASSERT_TRUE(backend.recorder.OnlyChipPorts());

    hwmon::CSimulatedChip replay;
    for (const PortOp& op : backend.recorder.ops) {
        if (op.kind == PortOp::Out) {
            replay.OutPortB(op.port, op.value);
        }
    }
    EXPECT_TRUE(replay.State() == backend.chip.State());
}

}  // namespace
}  // namespace portd
