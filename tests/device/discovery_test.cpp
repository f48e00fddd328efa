// Identification and the port scan against simulated devices.
#include <gtest/gtest.h>

#include <thread>

#include "device/discovery.h"
#include "sim_link.h"

namespace zelvane {
namespace {

using testing::SimLink;

sim::DeviceState WithModules(std::vector<sim::Module> modules, std::string revision = sim::kDefaultRevision) {
  sim::DeviceState state;
  state.modules = std::move(modules);
  state.revision = std::move(revision);
  return state;
}

TEST(IdentifyDevice, TakesTheFirstRfModuleAndReadsItsModulation) {
  sim::DeviceState state = WithModules({{16, 1}, {32, 2}, {32, 3}});
  state.modulation = 1;
  SimLink s(state);
  DiscoveryState found;
  const Identification id = IdentifyDevice(s.device(), found);
  EXPECT_EQ(id.result, kFound);
  EXPECT_EQ(found.ModuleAddress, 2);
  EXPECT_TRUE(found.DeviceRecognised);
  EXPECT_EQ(id.modulation, std::optional<std::uint8_t>(1));
  for (const sim::Request& r : s.sim.Requests()) {
    if (r.command == kCmdModules && r.address != kModuleListAddress) {
      EXPECT_EQ(r.address, 2);
    }
  }
}

TEST(IdentifyDevice, OtherRevisionConnectsUnrecognised) {
  SimLink s(WithModules({{32, 5}}, "rev3_20102009x"));
  DiscoveryState found{9, true, {}};
  const Identification id = IdentifyDevice(s.device(), found);
  EXPECT_EQ(id.result, kFound);
  EXPECT_EQ(found.ModuleAddress, 5);
  EXPECT_FALSE(found.DeviceRecognised);
  EXPECT_FALSE(id.modulation);
  EXPECT_TRUE(s.sim.RequestsFor(kCmdReadModulation).empty());
}

TEST(IdentifyDevice, NoRfModuleChangesNothing) {
  SimLink s(WithModules({{16, 1}}));
  DiscoveryState found{7, true, {}};
  EXPECT_EQ(IdentifyDevice(s.device(), found).result, kNotFound);
  EXPECT_EQ(found.ModuleAddress, 7);
  EXPECT_TRUE(found.DeviceRecognised);
}

class ScanTest : public ::testing::Test {
 protected:
  ScanTest() { silent.SetDefaultReply(sim::Silence()); }

  std::vector<std::string> Entries() const {
    return {"COM1 in use", silent.PortPath(), device.PortPath()};
  }

  sim::Simulator silent;
  sim::Simulator device;
  Link link{[](const std::string&) {}};
  PortHandle port;
  DiscoveryState state;
  ScanBreak breakRequest{false};
};

TEST_F(ScanTest, SkipsBusyAndSilentPortsAndKeepsTheDevice) {
  const Identification id = ScanPorts(link, Entries(), port, state, breakRequest);
  EXPECT_EQ(id.result, kFound);
  ASSERT_TRUE(port);
  EXPECT_EQ(port->Name(), device.PortPath());
  EXPECT_EQ(silent.RequestsFor(kCmdModules).size(), 1U);
  EXPECT_TRUE(OpenPort(silent.PortPath())) << "the silent port was left open";
  EXPECT_FALSE(OpenPort(device.PortPath())) << "the device port was not kept";
}

TEST_F(ScanTest, NothingOpensGives255) {
  const Identification id = ScanPorts(link, {"COM1 in use", "/dev/zelvane-none"}, port, state, breakRequest);
  EXPECT_EQ(id.result, kNotFound);
  EXPECT_FALSE(port);
}

TEST_F(ScanTest, BreakEndsAtTheNextPortThatOpens) {
  // The break is pressed while the silent port is being identified, and
  // cuts its wait short.
  std::thread pressBreak([this] {
    if (!silent.WaitForRequests(1, 10000)) return;
    breakRequest = true;
    link.Interrupt();
  });
  EXPECT_EQ(ScanPorts(link, Entries(), port, state, breakRequest).result, kScanBroken);
  pressBreak.join();
  EXPECT_FALSE(port);
  EXPECT_TRUE(device.Requests().empty());
  EXPECT_TRUE(OpenPort(device.PortPath())) << "the device port was left open";
}

// Where no other port opens after the break, the scan has found nothing.
TEST_F(ScanTest, IdentificationCutShortFindsNothing) {
  link.Interrupt();
  EXPECT_EQ(ScanPorts(link, {device.PortPath()}, port, state, breakRequest).result, kNotFound);
  EXPECT_FALSE(port);
  EXPECT_TRUE(device.Requests().empty()) << "an interrupted link sends nothing";
}

// The device has answered the module list when the break comes, during the
// modulation read: that identification found nothing either.
TEST_F(ScanTest, BreakAfterTheModuleListFindsNothing) {
  device.Script(kCmdReadModulation, {sim::Silence()});
  constexpr std::size_t kRequestsUpToTheModulation = 3;  // modules, revision, modulation
  std::thread pressBreak([this] {
    if (device.WaitForRequests(kRequestsUpToTheModulation, 10000)) link.Interrupt();
  });
  const Identification id = ScanPorts(link, {device.PortPath()}, port, state, breakRequest);
  pressBreak.join();
  EXPECT_EQ(id.result, kNotFound);
  EXPECT_FALSE(port);
}

}  // namespace
}  // namespace zelvane
