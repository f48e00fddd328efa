// Exchanges over a real pseudo-terminal with the simulated device.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "link/exchange.h"
#include "sim_link.h"

namespace zelvane {
namespace {

using sim::ReplyScript;
using testing::SimLink;
using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kRf = 2;

Frame ReadBlockRequest() { return BuildRequest(kRf, kCmdReadParamBlock, 0, 0, 0, nullptr, 2); }
Frame ReadCountryRequest() {
  return BuildRequest(kRf, kCmdReadCountryIndex, 1, 0, 0, nullptr, 4);
}

class ExchangeTest : public ::testing::Test {
 protected:
  ExchangeStatus Run(const Frame& request) {
    return s.link.RunExchange(*s.port, request, 1000, 1000);
  }
  SimLink s;
};

TEST_F(ExchangeTest, AnsweredRequestGivesStatusZeroAndTrace) {
  ASSERT_TRUE(s.port);
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusOk);
  EXPECT_EQ(ReplyBodyLength(s.link.Reply()), 34);
  ASSERT_EQ(s.debug.size(), 1U);
  EXPECT_EQ(s.debug[0].rfind("Receive data : E2 E4 01 00 FF 00 01 00 22 02 03", 0), 0U);
  ASSERT_TRUE(s.sim.WaitForRequests(1, 1000));
  EXPECT_TRUE(s.sim.Requests()[0].valid);
}

TEST_F(ExchangeTest, SilentDeviceGives103AfterTheTotalTimeOut) {
  s.sim.Script(kCmdReadParamBlock, {sim::Silence()});
  const auto start = Clock::now();
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusReadFailed);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  EXPECT_GT(ms.count(), 700);
  EXPECT_LT(ms.count(), 2000);
  const std::vector<std::string> expected = {kShortReadLine, kTracePrefix};
  EXPECT_EQ(s.debug, expected);
}

TEST_F(ExchangeTest, ReplyIsJudgedByItsLengthAndStatusFieldOnly) {
  struct Case {
    const char* what;
    ReplyScript script;
    ExchangeStatus status;
  };
  const Case cases[] = {
      {"nine bytes", sim::Truncated(9), kStatusOk},
      {"eight bytes", sim::Truncated(8), kStatusReadFailed},
      {"flag bit only", sim::WithStatusByte(0x08), kStatusOk},
      {"status 3 with flag", sim::WithStatusByte(0x0B), kStatusMalfunction},
      {"status 4 with flag", sim::WithStatusByte(0x0C), kStatusBadFormat},
      {"wrong magic", sim::WithBadMagic(), kStatusOk},
      {"wrong CRC", sim::WithBadCrc(), kStatusOk},
  };
  for (const Case& c : cases) {
    s.sim.Script(kCmdReadParamBlock, {c.script});
    EXPECT_EQ(Run(ReadBlockRequest()), c.status) << c.what;
  }
}

TEST_F(ExchangeTest, MissingBodyBytesReadAsZero) {
  // A whole reply first, so that the buffer holds bytes where the cut
  // reply's are missing.
  ASSERT_EQ(Run(ReadBlockRequest()), kStatusOk);
  ASSERT_NE(s.link.Reply().bytes[42], 0);
  s.sim.Script(kCmdReadParamBlock, {sim::Truncated(20)});
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusOk);
  const ReceivedReply& reply = s.link.Reply();
  EXPECT_EQ(ReplyBodyLength(reply), 34);
  EXPECT_EQ(reply.received, 20U);
  EXPECT_EQ(ReceivedBodyLength(reply), 11U);
  for (std::size_t i = 20; i < 9 + 34 + 2; ++i) EXPECT_EQ(reply.bytes[i], 0) << i;
}

TEST_F(ExchangeTest, BinaryBytesPassUnchanged) {
  const std::vector<std::uint8_t> binary = {0x0D, 0x0A, 0x11, 0x13, 0x00, 0xFF};
  s.sim.Script(kCmdReadParamBlock, {sim::WithData(binary)});
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusOk);
  const std::uint8_t* data = ReplyData(s.link.Reply());
  EXPECT_EQ(std::vector<std::uint8_t>(data, data + binary.size()), binary);
  EXPECT_EQ(ReplyBodyLength(s.link.Reply()), 11);
}

TEST_F(ExchangeTest, LongReplyIsCutAt75AndItsRestDiscardedByTheNextRequest) {
  s.sim.Script(kCmdReadParamBlock, {sim::PaddedTo(90)});
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusOk);
  ASSERT_TRUE(s.sim.WaitForReplies(1, 1000));
  EXPECT_EQ(s.debug.back().size(), std::string(kTracePrefix).size() + 75 * 3);

  // Without the purge the next reply would start with the 15 surplus bytes.
  EXPECT_EQ(Run(ReadCountryRequest()), kStatusOk);
  EXPECT_EQ(s.link.Reply().bytes[0], 0xE2);
  EXPECT_EQ(ReplyBody(s.link.Reply())[1], kCmdReadCountryIndex);
}

TEST_F(ExchangeTest, SurplusBytesStayQueuedUntilRead) {
  s.sim.Script(kCmdReadParamBlock, {sim::PaddedTo(80)});
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusOk);
  std::uint8_t rest[75];
  EXPECT_EQ(s.port->Read(rest, sizeof rest), 5);
}

TEST_F(ExchangeTest, LateReplyIsNotTakenByTheNextExchange) {
  s.sim.Script(kCmdReadParamBlock, {sim::Delayed(900)});
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusReadFailed);
  ASSERT_TRUE(s.sim.WaitForReplies(1, 3000));

  EXPECT_EQ(Run(ReadCountryRequest()), kStatusOk);
  EXPECT_EQ(ReplyBody(s.link.Reply())[1], kCmdReadCountryIndex);
  EXPECT_EQ(ReplyBodyLength(s.link.Reply()), 6);
}

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// A write that cannot complete costs one write wait, not two.
TEST(ExchangeWrite, StalledOutputGives101AfterOneWriteWait) {
  for (const int writeWaitMs : {1000, 5000}) {
    sim::PseudoTerminal pty;
    PortHandle port = OpenPort(pty.SlavePath());
    ASSERT_TRUE(port);
    pty.SuspendOutput();
    Link link([](const std::string&) {});
    const auto start = Clock::now();
    EXPECT_EQ(link.RunExchange(*port, ReadBlockRequest(), writeWaitMs, 1000), kStatusWriteTimeout);
    const long long ms = MsSince(start);
    EXPECT_GE(ms, writeWaitMs) << writeWaitMs;
    EXPECT_LT(ms, writeWaitMs * 3 / 2) << writeWaitMs;
    std::printf("write wait %d ms: 101 after %lld ms\n", writeWaitMs, ms);
  }
}

// An interruption from another thread ends the wait for a reply that
// never comes at once; the exchange is cancelled and leaves no trace, and
// once the link resumes the next exchange runs as ever.
TEST_F(ExchangeTest, InterruptionBreaksOffTheReadAtOnce) {
  s.sim.Script(kCmdReadParamBlock, {sim::Silence()});
  Clock::time_point interruptedAt;
  std::thread interrupt([this, &interruptedAt] {
    if (!s.sim.WaitForRequests(1, 10000)) return;
    interruptedAt = Clock::now();
    s.link.Interrupt();
  });
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusCancelled);
  interrupt.join();
  const long long ms = MsSince(interruptedAt);
  EXPECT_LT(ms, 500) << "the read went on after the interruption";
  std::printf("read broken off %lld ms after the interruption\n", ms);
  EXPECT_TRUE(s.debug.empty());
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusCancelled) << "stays interrupted";
  EXPECT_EQ(s.sim.Requests().size(), 1U);
  s.link.Resume();
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusOk);
  s.link.Cancel();
  s.link.Resume();
  EXPECT_EQ(Run(ReadBlockRequest()), kStatusCancelled) << "a cancel is for good";
}

}  // namespace
}  // namespace zelvane
