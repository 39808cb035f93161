// The wire format as both ends read it: every request and reply survives the
// trip, a frame cut anywhere is only "need more", and anything the protocol
// does not allow is named before a byte of it is acted on.
#include <gtest/gtest.h>

#include <map>

#include "portd/PortProtocol.h"
#include "portd/ServiceOptions.h"
#include "portd/linux/ListenFds.h"

namespace portd {
namespace {

TEST(PortProtocolTest, RequestsSurviveTheTripAndEveryCutNeedsMore)
{
    const Request requests[] = {
        {Op::Hello, 0, 0, 0}, {Op::In, 0x296, 0, 0}, {Op::Out, 0x295, 0x4E, 0},
        {Op::Claim, 0, 0, 3000}, {Op::Release, 0, 0, 0}, {Op::ResetSimulated, 0, 0, 0},
        {Op::SimulateOverheat, 0, 1, 0},
    };
    for (const Request& sent : requests) {
        std::vector<std::uint8_t> bytes = EncodeRequest(sent);
        for (std::size_t cut = 1; cut < bytes.size(); ++cut) {
            Request partial;
            std::size_t used = 99;
            EXPECT_EQ(ParseRequest(std::span(bytes).first(cut), partial, used), Parse::NeedMore);
            EXPECT_EQ(used, 0u);
        }
        bytes.push_back(0x01);  // the next frame's first byte stays
        Request read;
        std::size_t used = 0;
        ASSERT_EQ(ParseRequest(bytes, read, used), Parse::Complete);
        EXPECT_EQ(used, bytes.size() - 1);
        EXPECT_EQ(read.op, sent.op);
        EXPECT_EQ(read.port, sent.port);
        EXPECT_EQ(read.value, sent.value);
        EXPECT_EQ(read.patienceMs, sent.patienceMs);
    }
}

TEST(PortProtocolTest, WhatTheProtocolDoesNotAllowIsNamed)
{
    struct Case {
        std::vector<std::uint8_t> bytes;
        Parse expected;
    };
    const Case cases[] = {
        {{0x00}, Parse::BadVersion},                      // known at the first byte
        {{2, 1, 0, 0}, Parse::BadVersion},
        {{1, 0, 0, 0}, Parse::UnknownOp},
        {{1, 8, 0, 0}, Parse::UnknownOp},
        {{1, 7, 0, 0}, Parse::BadLength},                  // the overheat knob says which way
        {{1, 3, 0xFF, 0xFF}, Parse::Oversized},            // no waiting for 65535 bytes
        {{1, 3, 9, 0}, Parse::Oversized},
        {{1, 1, 1, 0, 0}, Parse::BadLength},
        {{1, 2, 3, 0, 0x96, 0x02, 0}, Parse::BadLength},
    };
    for (const Case& c : cases) {
        Request request;
        std::size_t used = 0;
        EXPECT_EQ(ParseRequest(c.bytes, request, used), c.expected) << int(c.bytes[0]);
    }
}

TEST(PortProtocolTest, RepliesCarryTextAndRefusals)
{
    Reply reply;
    std::size_t used = 0;
    const auto refusal = EncodeReply(RefusalReply(Op::Hello, Status::NotPermitted, Refusal::NotPermitted, "no"));
    ASSERT_EQ(ParseReply(refusal, reply, used), Parse::Complete);
    Refusal why{};
    std::string text;
    ASSERT_TRUE(ReadRefusal(reply, why, text));
    EXPECT_EQ(why, Refusal::NotPermitted);
    EXPECT_EQ(text, "no");

    // A text longer than any reply is cut, never sent longer than a reader takes.
    const auto longText = EncodeReply(TextReply(Op::Hello, Status::Ok, std::string(2000, 'x')));
    ASSERT_EQ(ParseReply(longText, reply, used), Parse::Complete);
    EXPECT_EQ(reply.payload.size(), kMaxReplyPayload);

    // Another version is readable only to say so.
    EXPECT_EQ(ParseReply(std::vector<std::uint8_t>{2, 1, 0, 0, 0}, reply, used), Parse::BadVersion);
    EXPECT_EQ(ParseReply(std::vector<std::uint8_t>{2, 1, 7, 0, 0}, reply, used), Parse::Complete);
    EXPECT_EQ(reply.version, 2);
    // A value read must carry its byte.
    EXPECT_EQ(ParseReply(std::vector<std::uint8_t>{1, 2, 0, 0, 0}, reply, used), Parse::BadLength);
}

TEST(ListenFdsTest, OnlyForThisProcess)
{
    std::map<std::string, std::string> env = {{"LISTEN_PID", "4711"}, {"LISTEN_FDS", "2"}};
    const auto lookup = [&](const char* name) -> const char* {
        const auto found = env.find(name);
        return found == env.end() ? nullptr : found->second.c_str();
    };
    EXPECT_EQ(ListenFdsFor(lookup, 4711), (std::vector<int>{3, 4}));
    EXPECT_TRUE(ListenFdsFor(lookup, 4712).empty());  // a parent's, inherited
    for (const char* bad : {"", "x", "0", "-1", "2x"}) {
        env["LISTEN_FDS"] = bad;
        EXPECT_TRUE(ListenFdsFor(lookup, 4711).empty()) << bad;
    }
}

TEST(ServiceOptionsTest, ForegroundAndRefusals)
{
    std::string error;
    const ServiceOptions options = ParseServiceOptions(
        {"--socket", "/tmp/s", "--backend", "simulated", "--chip-id", "0xC1", "--group", "4242",
         "--claim-timeout", "500"},
        error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(options.socketPath, "/tmp/s");
    EXPECT_EQ(options.chipId, 0xC1);
    EXPECT_EQ(options.claimTimeoutMs, 500);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--backend", "parallel"}, {"--chip-id", "0x88"}, {"--claim-timeout", "0"}, {"--socket"},
             {"--state-file", "/x"}, {"stray"}}) {
        error.clear();
        ParseServiceOptions(bad, error);
        EXPECT_NE(error, "") << bad[0];
    }
}

}  // namespace
}  // namespace portd
