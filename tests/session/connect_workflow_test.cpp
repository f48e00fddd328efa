// The connect workflow: which failure it names, and whether the port stays
// open after it, on a chosen port and in the scan.
#include "session/connect_workflow.h"

#include <gtest/gtest.h>

#include "device/commands.h"
#include "sim/simulator.h"

namespace zelvane {
namespace {

class StepRecorder : public ConnectSteps {
 public:
  void LookingOnPort(const std::string& port) override { steps.push_back("port " + port); }
  void LookingOnList() override { steps.push_back("list"); }
  void DiscoveryEnded(const Identification& identification) override {
    steps.push_back(identification.result == kFound ? "ended found" : "ended not found");
  }
  void DeviceFound(const DeviceSession& session, const Identification&) override {
    steps.push_back("found " + session.PortName());
  }
  std::vector<std::string> steps;
};

TEST(ConnectWorkflowTest, NamesTheFailureAndHandlesThePort) {
  enum class Where { Chosen, OpenBefore, Scan, NoSuchPort, MarkedInUse, EmptyList, NoneOpen };
  struct Case {
    const char* name;
    Where where;
    bool countryUnread;  // the device stays silent to the country read
    ConnectFailure failure;
    bool portOpen;
  };
  const Case cases[] = {
      {"chosen port", Where::Chosen, false, ConnectFailure::None, true},
      {"port open before", Where::OpenBefore, false, ConnectFailure::None, true},
      {"scan", Where::Scan, false, ConnectFailure::None, true},
      {"chosen port, settings unread: the port stays", Where::Chosen, true,
       ConnectFailure::SettingsUnread, true},
      {"port open before, settings unread: the port stays", Where::OpenBefore, true,
       ConnectFailure::SettingsUnread, true},
      {"scan, settings unread: the port closes", Where::Scan, true, ConnectFailure::SettingsUnread,
       false},
      {"no such port", Where::NoSuchPort, false, ConnectFailure::PortNotOpened, false},
      {"marked in use", Where::MarkedInUse, false, ConnectFailure::PortMarkedInUse, false},
      {"empty list", Where::EmptyList, false, ConnectFailure::NoPortsListed, false},
      {"no port open before", Where::NoneOpen, false, ConnectFailure::NoDeviceOnPort, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::Simulator device;
    if (c.countryUnread) device.Script(kCmdReadCountryIndex, {sim::Silence()});
    SessionObserver observer;
    DeviceSession session(observer, [](const std::string&) {});
    ConnectTarget target;
    switch (c.where) {
      case Where::Chosen: target.port = device.PortPath(); break;
      case Where::OpenBefore:
        ASSERT_EQ(session.ChoosePort(device.PortPath()).choice, PortChoice::Opened);
        target.portOpen = true;
        break;
      case Where::NoneOpen: target.portOpen = true; break;
      case Where::Scan: target.scanList = {"/dev/zelvane-none", device.PortPath()}; break;
      case Where::NoSuchPort: target.port = "/dev/zelvane-none"; break;
      case Where::MarkedInUse: target.port = device.PortPath() + " in use"; break;
      case Where::EmptyList: break;
    }
    StepRecorder steps;
    const ConnectResult result = Connect(session, target, steps);
    EXPECT_EQ(result.failure, c.failure);
    EXPECT_EQ(session.PortOpen(), c.portOpen);
    EXPECT_EQ(result.settings.has_value(), c.failure == ConnectFailure::None);
    const bool found = c.failure == ConnectFailure::None || c.failure == ConnectFailure::SettingsUnread;
    EXPECT_EQ(result.foundOn, found ? device.PortPath() : "");
    if (found) {
      const std::string looking = c.where == Where::Scan ? "list" : "port " + device.PortPath();
      EXPECT_EQ(steps.steps,
                (std::vector<std::string>{looking, "ended found", "found " + device.PortPath()}));
    } else {
      // Discovery ends, found or not, once the chosen port has opened.
      const bool searched = c.where != Where::NoSuchPort && c.where != Where::MarkedInUse;
      EXPECT_EQ(steps.steps.empty() ? "" : steps.steps.back(), searched ? "ended not found" : "");
    }
  }
}

}  // namespace
}  // namespace zelvane
