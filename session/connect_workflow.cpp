// The window and the command line connect through this one function, so
// that the order of the steps and the port handling cannot drift apart.
#include "session/connect_workflow.h"

namespace zelvane {
namespace {

// Discovery on the chosen port or over the list; `result.failure` stays
// None when the device identified.
void Discover(DeviceSession& session, const ConnectTarget& target, ConnectSteps& steps,
              ConnectResult& result) {
  if (target.port) {
    result.portChoice = session.ChoosePort(*target.port);
    if (result.portChoice.choice == PortChoice::InUse) {
      result.failure = ConnectFailure::PortMarkedInUse;
      return;
    }
    if (result.portChoice.choice != PortChoice::Opened) {
      result.failure = ConnectFailure::PortNotOpened;
      return;
    }
    steps.LookingOnPort(*target.port);
    result.identification = session.Identify();
    if (result.identification.result != kFound) result.failure = ConnectFailure::NoDeviceOnPort;
    return;
  }
  if (target.scanList.empty()) {
    result.failure = ConnectFailure::NoPortsListed;
    return;
  }
  steps.LookingOnList();
  result.identification = session.Scan(target.scanList);
  if (result.identification.result != kFound) result.failure = ConnectFailure::NoDeviceOnList;
}

}  // namespace

ConnectResult Connect(DeviceSession& session, const ConnectTarget& target, ConnectSteps& steps) {
  ConnectResult result;
  Discover(session, target, steps, result);
  if (result.failure != ConnectFailure::None) return result;
  result.foundOn = session.PortName();
  steps.DeviceFound(session, result.identification);
  result.settings = session.ReadSettings();
  if (!result.settings) {
    result.failure = ConnectFailure::SettingsUnread;
    if (!target.port) session.ClosePort();
  }
  return result;
}

}  // namespace zelvane
