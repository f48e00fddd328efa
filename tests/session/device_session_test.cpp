// The session's workflows against simulated devices, without a window; a
// break or a shutdown comes from a second thread, as from a front end.
#include <gtest/gtest.h>

#include <cstdio>
#include <chrono>
#include <functional>
#include <thread>

#include "params/param_block.h"
#include "session/device_session.h"
#include "sim/simulator.h"

namespace zelvane {
namespace {

using sim::DeviceState;
using sim::Simulator;

using Clock = std::chrono::steady_clock;

// Generous: a loaded machine must not fail a test that is about order.
constexpr int kRequestWaitMs = 10000;

// Records the steps a workflow reports, and runs `onWritten` on the
// session's thread once the write phase has ended.
class Recorder : public SessionObserver {
 public:
  void TryingPort(const std::string& entry) override { steps.push_back("try " + entry); }
  void WritingStarted() override { steps.push_back("writing"); }
  void WritingEnded(bool written) override {
    steps.push_back(written ? "written" : "not written");
    if (onWritten) onWritten();
  }
  void VerificationStarted() override { steps.push_back("verifying"); }
  void ModulationReadBackStarted() override { steps.push_back("reading modulation"); }
  void ModulationReadBack(std::optional<std::uint8_t> modulation) override {
    steps.push_back(modulation ? "modulation " + std::to_string(*modulation) : "no modulation");
  }
  void VerificationReadsEnded() override { steps.push_back("read back"); }

  std::function<void()> onWritten;
  std::vector<std::string> steps;
};

// Runs `act` on a thread of its own once `device` has recorded `count`
// requests, as a user who presses a button while the line is busy.
class OnRequests {
 public:
  OnRequests(const Simulator& device, std::size_t count, std::function<void()> act)
      : thread_([&device, count, act = std::move(act)] {
          if (device.WaitForRequests(count, kRequestWaitMs)) act();
        }) {}
  ~OnRequests() { thread_.join(); }
  OnRequests(const OnRequests&) = delete;
  OnRequests& operator=(const OnRequests&) = delete;

 private:
  std::thread thread_;
};

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class SessionTest : public ::testing::Test {
 protected:
  // Finds the device on its port, as the list mode does.
  void Connect(Simulator& device) {
    ASSERT_EQ(session.ChoosePort(device.PortPath()).choice, PortChoice::Opened);
    ASSERT_EQ(session.Identify().result, kFound);
  }
  WriteRequest ChangedLevel(const Simulator& device) {
    WriteRequest request;
    request.block = device.State().block;
    request.block[kLevelCodeByte] = kLevelCodeOfMinus3Db;
    request.modulation = 1;
    request.country = 0;
    return request;
  }

  static constexpr std::uint8_t kLevelCodeOfMinus3Db = 152;
  Recorder observer;
  DeviceSession session{observer, [](const std::string&) {}};
};

TEST_F(SessionTest, ScanSkipsBusyAndSilentPortsAndReadsTheDevice) {
  Simulator silent;
  silent.SetDefaultReply(sim::Silence());
  DeviceState state;
  state.country = 255;
  state.modulation = 1;
  Simulator device(state);
  const Identification found =
      session.Scan({"COM1 in use", "/dev/zelvane-none", silent.PortPath(), device.PortPath()});
  EXPECT_EQ(found.result, kFound);
  EXPECT_EQ(found.modulation, std::optional<std::uint8_t>(1));
  EXPECT_EQ(observer.steps,
            (std::vector<std::string>{"try " + silent.PortPath(), "try " + device.PortPath()}));
  EXPECT_TRUE(session.Discovery().DeviceRecognised);
  EXPECT_EQ(session.Discovery().Revision, sim::kDefaultRevision);
  EXPECT_TRUE(OpenPort(silent.PortPath())) << "the silent port was left open";

  const std::optional<DeviceSettings> settings = session.ReadSettings();
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->country, 255);
  EXPECT_EQ(settings->block, sim::DefaultBlock());
}

TEST_F(SessionTest, ScanClosesThePortOfAnEarlierConnection) {
  Simulator device;
  Connect(device);
  EXPECT_EQ(session.Scan({device.PortPath()}).result, kFound);
}

TEST_F(SessionTest, NothingFoundLeavesNoPortOpen) {
  Simulator silent;
  silent.SetDefaultReply(sim::Silence());
  DeviceState noRf;
  noRf.modules = {{sim::kOtherType, 1}};
  Simulator other(noRf);
  EXPECT_EQ(session.Scan({silent.PortPath(), other.PortPath()}).result, kNotFound);
  EXPECT_FALSE(session.PortOpen());
  EXPECT_FALSE(session.ReadSettings());
}

TEST_F(SessionTest, BreakGivesUpThePortAtOnceAndEndsTheScanAtTheNextThatOpens) {
  Simulator silent;
  silent.SetDefaultReply(sim::Silence());
  Simulator device;
  const auto start = Clock::now();
  {
    // The break comes while the silent port is being identified: its
    // module list would be waited for 770 ms.
    OnRequests pressBreak(silent, 1, [&] { session.RequestBreak(); });
    EXPECT_EQ(session.Scan({silent.PortPath(), device.PortPath()}).result, kScanBroken);
  }
  const long long ms = MsSince(start);
  EXPECT_LT(ms, 700) << "the silent port's read was not broken off";
  std::printf("scan broken off after %lld ms\n", ms);
  EXPECT_TRUE(device.Requests().empty());
  EXPECT_FALSE(session.PortOpen());
  EXPECT_TRUE(OpenPort(silent.PortPath())) << "the silent port was left open";

  EXPECT_EQ(session.Scan({silent.PortPath(), device.PortPath()}).result, kFound)
      << "a break belongs to its own scan";
  EXPECT_EQ(device.RequestsFor(kCmdModules).size(), 2U) << "the module list and the revision";
}

TEST_F(SessionTest, BreakOutsideAScanChangesNothing) {
  Simulator device;
  session.RequestBreak();
  EXPECT_EQ(session.Scan({device.PortPath()}).result, kFound);
  EXPECT_TRUE(session.ReadSettings());
}

TEST_F(SessionTest, PortChoices) {
  Simulator device;
  struct Case {
    std::string entry;
    PortChoice choice;
    OpenFailure failure;
  };
  const Case cases[] = {
      {device.PortPath() + " in use", PortChoice::InUse, OpenFailure::None},
      {"/dev/zelvane-none", PortChoice::OpenFailed, OpenFailure::NotFound},
      {device.PortPath(), PortChoice::Opened, OpenFailure::None},
  };
  for (const Case& c : cases) {
    const PortChoiceResult result = session.ChoosePort(c.entry);
    EXPECT_EQ(result.choice, c.choice) << c.entry;
    EXPECT_EQ(result.error.reason, c.failure) << c.entry;
  }
  EXPECT_TRUE(session.PortOpen());
  EXPECT_EQ(session.ChoosePort("/dev/zelvane-none").choice, PortChoice::OpenFailed);
  EXPECT_FALSE(session.PortOpen()) << "the port open before is closed first";
  EXPECT_TRUE(OpenPort(device.PortPath()));
}

TEST_F(SessionTest, FailedReadsOfTheSettingsUseNothing) {
  struct Case {
    const char* what;
    std::uint8_t command;
    sim::ReplyScript reply;
  };
  const Case cases[] = {
      {"country read fails", kCmdReadCountryIndex, sim::Silence()},
      {"block read fails", kCmdReadParamBlock, sim::Silence()},
      {"block reply short", kCmdReadParamBlock, sim::WithData(std::vector<std::uint8_t>(20, 0x11))},
  };
  for (const Case& c : cases) {
    Simulator device;
    Connect(device);
    device.Script(c.command, {c.reply});
    EXPECT_FALSE(session.ReadSettings()) << c.what;
  }
}

TEST_F(SessionTest, UnrecognisedDeviceGetsNoModulationCommand) {
  DeviceState state;
  state.revision = "rev2";
  Simulator device(state);
  Connect(device);
  EXPECT_FALSE(session.Discovery().DeviceRecognised);
  const WriteOutcome outcome = session.Write(ChangedLevel(device));
  EXPECT_TRUE(outcome.written);
  EXPECT_TRUE(outcome.verification.Verified());
  EXPECT_FALSE(outcome.verification.modulation);
  EXPECT_TRUE(device.RequestsFor(kCmdSetModulation).empty());
  EXPECT_TRUE(device.RequestsFor(kCmdReadModulation).empty());
  EXPECT_EQ(device.State().modulation, 0);
}

TEST_F(SessionTest, WriteAndVerify) {
  DeviceState state;
  state.country = 255;
  Simulator device(state);
  Connect(device);
  const WriteRequest request = ChangedLevel(device);
  const WriteOutcome outcome = session.Write(request);
  EXPECT_TRUE(outcome.written);
  EXPECT_TRUE(outcome.verification.Verified());
  EXPECT_EQ(outcome.verification.block, request.block);
  EXPECT_EQ(outcome.verification.country, std::optional<std::uint8_t>(0));
  EXPECT_EQ(outcome.verification.modulation, std::optional<std::uint8_t>(1));
  EXPECT_EQ(device.State().block, request.block);
  EXPECT_EQ(device.State().modulation, 1);
  EXPECT_EQ(device.State().country, 0);
  EXPECT_EQ(observer.steps,
            (std::vector<std::string>{"writing", "written", "verifying", "reading modulation",
                                      "modulation 1", "read back"}));
}

TEST_F(SessionTest, VerificationNamesTheByteTheDeviceStoresOtherwise) {
  Simulator device;
  device.StoreDifferently(kLevelCodeByte, 0xA7);
  Connect(device);
  const WriteOutcome outcome = session.Write(ChangedLevel(device));
  EXPECT_TRUE(outcome.written);
  EXPECT_FALSE(outcome.verification.Verified());
  const std::vector<ByteDifference> expected = {{kLevelCodeByte, kLevelCodeOfMinus3Db, 0xA7}};
  EXPECT_EQ(outcome.verification.differences, expected);
  ASSERT_TRUE(outcome.verification.block);
  EXPECT_EQ((*outcome.verification.block)[kLevelCodeByte], 0xA7);
}

TEST_F(SessionTest, WritesTheDeviceDoesNotAnswer) {
  Simulator device;
  Connect(device);
  const ParamBlock held = device.State().block;
  device.Script(kCmdWriteParamBlock, {sim::Silence()});
  device.Script(kCmdSetModulation, {sim::Silence()});
  device.Script(kCmdWriteCountryIndex, {sim::Silence()});
  const WriteOutcome outcome = session.Write(ChangedLevel(device));
  EXPECT_FALSE(outcome.written);
  EXPECT_EQ(observer.steps[1], "not written");
  // The silent device stored nothing, which the read-back shows.
  EXPECT_FALSE(outcome.verification.Verified());
  EXPECT_EQ(outcome.verification.block, held);
  EXPECT_EQ(outcome.verification.differences.size(), 1U);
}

TEST_F(SessionTest, FailedReadBackIsAFailedVerification) {
  struct Case {
    const char* what;
    sim::ReplyScript reply;
  };
  const Case cases[] = {{"no reply", sim::Silence()},
                        {"short reply", sim::WithData(std::vector<std::uint8_t>(20, 0))}};
  for (const Case& c : cases) {
    Simulator device;
    Connect(device);
    device.Script(kCmdReadParamBlock, {c.reply});
    device.Script(kCmdReadCountryIndex, {sim::Silence()});
    const Verification verification = session.Write(ChangedLevel(device)).verification;
    EXPECT_FALSE(verification.Verified()) << c.what;
    EXPECT_FALSE(verification.block) << c.what;
    EXPECT_FALSE(verification.country) << c.what;
    EXPECT_TRUE(verification.differences.empty()) << c.what;
  }
}

TEST_F(SessionTest, WorkflowStartedInsideAnotherIsRefused) {
  Simulator device;
  Simulator other;
  Connect(device);
  bool triedInside = false;
  observer.onWritten = [&] {
    if (triedInside) return;
    triedInside = true;
    EXPECT_EQ(session.ChoosePort(other.PortPath()).choice, PortChoice::Refused);
    EXPECT_EQ(session.Scan({other.PortPath()}).result, kNotFound);
    EXPECT_FALSE(session.ReadSettings());
    EXPECT_FALSE(session.Write(ChangedLevel(device)).written);
    session.ClosePort();
    EXPECT_TRUE(session.PortOpen());
  };
  device.ClearRequests();
  const WriteOutcome outcome = session.Write(ChangedLevel(device));
  EXPECT_TRUE(triedInside);
  EXPECT_TRUE(outcome.verification.Verified());
  EXPECT_TRUE(other.Requests().empty());
  EXPECT_EQ(device.RequestsFor(kCmdWriteParamBlock).size(), 1U);
}

// A shutdown from another thread at each point of a write: the exchange
// or pause in progress ends at once, nothing more is sent, and the port is
// released as the workflow unwinds.
TEST_F(SessionTest, ShutdownBreaksOffTheWriteAtOnceAndReleasesThePort) {
  struct Case {
    const char* when;
    std::uint8_t silentCommand;  // left unanswered, so that its read is cut
    std::size_t requestsBefore;  // the shutdown once this many were sent
  };
  const Case cases[] = {
      {"in the pause after the block write", 0, 1},
      {"during the silent modulation write", kCmdSetModulation, 2},
      {"during the silent block read-back", kCmdReadParamBlock, 6},
  };
  for (const Case& c : cases) {
    Simulator device;
    DeviceSession local(observer, [](const std::string&) {});
    ASSERT_EQ(local.ChoosePort(device.PortPath()).choice, PortChoice::Opened);
    ASSERT_EQ(local.Identify().result, kFound);
    if (c.silentCommand != 0) device.Script(c.silentCommand, {sim::Silence()});
    device.ClearRequests();
    WriteOutcome outcome;
    Clock::time_point shutdownAt;
    {
      OnRequests close(device, c.requestsBefore, [&] {
        shutdownAt = Clock::now();
        local.Shutdown();
      });
      outcome = local.Write(ChangedLevel(device));
    }
    const long long ms = MsSince(shutdownAt);
    EXPECT_LT(ms, 500) << c.when << ": the write went on after the shutdown";
    std::printf("%s: the write ended %lld ms after the shutdown\n", c.when, ms);
    EXPECT_FALSE(outcome.verification.Verified()) << c.when;
    EXPECT_EQ(device.Requests().size(), c.requestsBefore) << c.when << ": sent after the shutdown";
    EXPECT_FALSE(local.PortOpen()) << c.when;
    EXPECT_TRUE(OpenPort(device.PortPath())) << c.when << ": the port was not released";
    EXPECT_NE(local.Identify().result, kFound) << c.when;
  }
}

// A shutdown from another thread between two workflows closes the port at
// once, while the session's own thread asks for the port, as a front end
// does after each workflow; under ThreadSanitizer the two must not race.
TEST_F(SessionTest, ShutdownBetweenWorkflowsClosesThePortWhileTheOwnerAsksForIt) {
  Simulator device;
  Connect(device);
  std::thread closing([this] { session.Shutdown(); });
  const bool open = session.PortOpen();
  const std::string name = session.PortName();
  closing.join();
  // Closed once, the port stays closed.
  if (!open) EXPECT_TRUE(name.empty()) << name;
  EXPECT_TRUE(name.empty() || name == device.PortPath()) << name;
  EXPECT_FALSE(session.PortOpen());
  EXPECT_TRUE(OpenPort(device.PortPath())) << "the port was not released";
}

}  // namespace
}  // namespace zelvane
