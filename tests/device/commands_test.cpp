// The device's operations against the simulated device.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "device/commands.h"
#include "sim_link.h"

namespace zelvane {
namespace {

using testing::SimLink;

constexpr std::uint8_t kRf = 2;

std::chrono::milliseconds Between(const sim::Request& a, const sim::Request& b) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(b.at - a.at);
}

TEST(CmdListModules, TakesPairsFromBodyOffsetFive) {
  struct Case {
    std::vector<sim::Module> modules;
    std::uint16_t count;
  };
  const Case cases[] = {
      {{{16, 1}, {32, 2}}, 2},                                      // body length 9
      {{}, 0},                                                      // body length 5
      {{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {32, 8}}, 7},  // first seven kept
  };
  for (const Case& c : cases) {
    sim::DeviceState state;
    state.modules = c.modules;
    SimLink s(state);
    const ModuleList list = CmdListModules(s.device());
    EXPECT_EQ(list.status, kStatusOk);
    ASSERT_EQ(list.count, c.count);
    for (std::size_t i = 0; i < list.count; ++i) {
      EXPECT_EQ(list.types[i], c.modules[i].type);
      EXPECT_EQ(list.addresses[i], c.modules[i].address);
    }
  }
}

TEST(CmdListModules, PairCutShortOnTheLineIsNotTaken) {
  SimLink s;  // modules (16, 1) and (32, 2): a 20-byte reply
  s.sim.Script(kCmdModules, {sim::Truncated(17)});
  const ModuleList list = CmdListModules(s.device());
  EXPECT_EQ(list.status, kStatusOk);
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list.types[0], 16);
  EXPECT_EQ(list.addresses[0], 1);
}

TEST(CmdListModules, FailedExchangeGivesNoEntries) {
  SimLink s;
  s.sim.Script(kCmdModules, {sim::WithStatusByte(5)});
  const ModuleList list = CmdListModules(s.device());
  EXPECT_EQ(list.status, kStatusBadParameter);
  EXPECT_EQ(list.count, 0);
}

TEST(CmdReadRevision, RetriesWhileNotReadyAtLeast400msApart) {
  SimLink s;
  s.sim.Script(kCmdModules, {sim::WithStatusByte(kStatusBusy)});
  EXPECT_EQ(CmdReadRevision(s.device(), kRf), "rev3_20102009");
  const auto requests = s.sim.Requests();
  ASSERT_EQ(requests.size(), 2U);
  EXPECT_EQ(requests[0].bytes, requests[1].bytes);
  EXPECT_GE(Between(requests[0], requests[1]).count(), 400);
}

TEST(CmdReadRevision, MapsFailuresToTexts) {
  struct Case {
    sim::ReplyScript reply;
    std::string text;
  };
  const Case cases[] = {
      {sim::WithStatusByte(3), "Неисправность"},
      {sim::WithStatusByte(4), "Неверен формат команды"},
      {sim::WithStatusByte(5), "Неверен параметр команды"},
      {sim::WithStatusByte(6), ""},
      {sim::Silence(), "ReadTimeOut"},
  };
  SimLink s;
  for (const Case& c : cases) {
    s.sim.Script(kCmdModules, {c.reply});
    EXPECT_EQ(CmdReadRevision(s.device(), kRf), c.text);
  }
}

TEST(CmdReadRevision, GivesUpAfterTenNotReadyReplies) {
  SimLink s;
  s.sim.Script(kCmdModules, std::vector<sim::ReplyScript>(12, sim::WithStatusByte(kStatusNotReady)));
  EXPECT_EQ(CmdReadRevision(s.device(), kRf), "");
  EXPECT_EQ(s.sim.Requests().size(), 10U);
}

TEST(CmdSetModulation, RepeatsWhileMalfunctionReported) {
  SimLink s;
  s.sim.Script(kCmdSetModulation, {sim::WithStatusByte(3), sim::WithStatusByte(3)});
  EXPECT_EQ(CmdSetModulation(s.device(), kRf, 1), kStatusOk);
  EXPECT_EQ(s.sim.RequestsFor(kCmdSetModulation).size(), 3U);
  EXPECT_EQ(s.sim.State().modulation, 1);
}

TEST(CmdSetModulation, GivesUpAfterTenMalfunctions) {
  SimLink s;
  s.sim.Script(kCmdSetModulation, std::vector<sim::ReplyScript>(12, sim::WithStatusByte(3)));
  EXPECT_EQ(CmdSetModulation(s.device(), kRf, 1), kStatusMalfunction);
  EXPECT_EQ(s.sim.RequestsFor(kCmdSetModulation).size(), 10U);
}

TEST(CmdWriteParamBlock, RequestCarriesTheBlockAfterItsLength) {
  SimLink s;
  ParamBlock block{};
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(0xA0 + i);
  EXPECT_EQ(CmdWriteParamBlock(s.device(), kRf, block), kStatusOk);
  const auto writes = s.sim.RequestsFor(kCmdWriteParamBlock);
  ASSERT_EQ(writes.size(), 1U);
  const auto& frame = writes[0].bytes;
  ASSERT_EQ(frame.size(), 45U);
  EXPECT_EQ(frame[11], 29);
  EXPECT_EQ(frame[12], block[0]);
  EXPECT_EQ(frame[13], block[1]);
  EXPECT_EQ(frame[40], block[28]);
  EXPECT_EQ(frame[41], 0);
  EXPECT_EQ(frame[42], 0);
  EXPECT_EQ(s.sim.State().block, block);
}

TEST(Commands, CountryAndModulationRoundTrip) {
  SimLink s;
  EXPECT_EQ(CmdWriteCountryIndex(s.device(), kRf, 255), kStatusOk);
  const CommandReply country = CmdReadCountryIndex(s.device(), kRf);
  EXPECT_EQ(country.status, kStatusOk);
  EXPECT_EQ(country.DataByte(), 255);
  EXPECT_EQ(CmdSetModulation(s.device(), kRf, 1), kStatusOk);
  EXPECT_EQ(CmdReadModulation(s.device(), kRf).DataByte(), 1);
  EXPECT_EQ(s.sim.RequestsFor(kCmdWriteCountryIndex)[0].bytes[13], 255);
}

TEST(CmdReadParamBlock, ReplyCarriesTheBodyOrNothing) {
  SimLink s;
  const CommandReply reply = CmdReadParamBlock(s.device(), kRf);
  EXPECT_EQ(reply.status, kStatusOk);
  EXPECT_EQ(reply.bodyLength, 34);
  EXPECT_EQ(reply.body[5 + 28], 0x98);

  s.sim.Script(kCmdReadParamBlock, {sim::Silence()});
  const CommandReply silent = CmdReadParamBlock(s.device(), kRf);
  EXPECT_EQ(silent.status, kStatusReadFailed);
  EXPECT_FALSE(silent.HasBody());
  EXPECT_EQ(silent.bodyLength, 0);
}

// A USB adapter pulled out: every write fails at once, and so must each
// command instead of sitting out its write wait.
TEST(Commands, WritesOnALineThatHasGoneAwayReturnAtOnce) {
  SimLink s;
  s.sim.Script(kCmdReadParamBlock, {sim::LineGoesAway()});
  EXPECT_EQ(CmdReadParamBlock(s.device(), kRf).status, kStatusReadFailed);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(CmdWriteParamBlock(s.device(), kRf, ParamBlock{}), kStatusWriteTimeout);
  EXPECT_EQ(CmdSetModulation(s.device(), kRf, 1), kStatusWriteTimeout);
  EXPECT_EQ(CmdWriteCountryIndex(s.device(), kRf, 0), kStatusWriteTimeout);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  EXPECT_LT(ms.count(), kLongWriteWaitMs / 5);
  std::printf("three writes on a hung-up line: %lld ms\n", static_cast<long long>(ms.count()));
}

ParamBlock Filled(std::uint8_t byte) {
  ParamBlock block{};
  block.fill(byte);
  return block;
}

// A reply cut short keeps its length byte: only the bytes that arrived count.
TEST(WholeBlock, OnlyFromAReplyThatBroughtAllTwentyNineBytes) {
  struct Case {
    const char* what;
    sim::ReplyScript reply;
    std::optional<ParamBlock> block;
  };
  const Case cases[] = {
      {"whole reply", {}, sim::DefaultBlock()},
      {"all but the CRC", sim::Truncated(9 + 34), sim::DefaultBlock()},
      {"last block byte missing", sim::Truncated(9 + 33), std::nullopt},
      {"cut at 20 bytes", sim::Truncated(20), std::nullopt},
      {"body of 33 bytes", sim::WithData(std::vector<std::uint8_t>(28, 0x11)), std::nullopt},
      {"body of 40 bytes", sim::WithData(std::vector<std::uint8_t>(35, 0x22)), Filled(0x22)},
      {"status 4", sim::WithStatusByte(kStatusBadFormat), std::nullopt},
      {"no reply", sim::Silence(), std::nullopt},
  };
  SimLink s;
  for (const Case& c : cases) {
    s.sim.Script(kCmdReadParamBlock, {c.reply});
    EXPECT_EQ(WholeBlock(CmdReadParamBlock(s.device(), kRf)), c.block) << c.what;
  }
}

TEST(CommandReply, DataByteOnlyWhenItArrived) {
  struct Case {
    const char* what;
    sim::ReplyScript reply;
    std::optional<std::uint8_t> value;
  };
  const Case cases[] = {
      {"whole reply", {}, 7},
      {"cut after the data byte", sim::Truncated(15), 7},
      {"cut before the data byte", sim::Truncated(14), std::nullopt},
      {"no data in the body", sim::WithData({}), std::nullopt},
      {"status 1", sim::WithStatusByte(kStatusNotReady), std::nullopt},
  };
  sim::DeviceState state;
  state.country = 7;
  SimLink s(state);
  for (const Case& c : cases) {
    s.sim.Script(kCmdReadCountryIndex, {c.reply});
    EXPECT_EQ(CmdReadCountryIndex(s.device(), kRf).DataByte(), c.value) << c.what;
  }
}

}  // namespace
}  // namespace zelvane
