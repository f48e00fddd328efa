// The window and the command line connect through this one function, so
// that the order of the steps and the port handling cannot drift apart.
#include "session/connect_workflow.h"

namespace zelvane {
namespace {

// False, with the failure named, when the chosen port did not open.
bool OpenChosenPort(DeviceSession& session, const ConnectTarget& target, ConnectResult& result) {
  if (target.portOpen || !target.port) return true;
  result.portChoice = session.ChoosePort(*target.port);
  if (result.portChoice.choice == PortChoice::InUse) {
    result.failure = ConnectFailure::PortMarkedInUse;
    return false;
  }
  if (result.portChoice.choice != PortChoice::Opened) {
    result.failure = ConnectFailure::PortNotOpened;
    return false;
  }
  return true;
}

// Discovery on the open port or over the list; `result.failure` stays
// None when the device identified.
void Discover(DeviceSession& session, const ConnectTarget& target, ConnectSteps& steps,
              ConnectResult& result) {
  if (!target.Scanning()) {
    steps.LookingOnPort(target.port.value_or(session.PortName()));
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
  if (!OpenChosenPort(session, target, result)) return result;
  Discover(session, target, steps, result);
  steps.DiscoveryEnded(result.identification);
  if (result.failure != ConnectFailure::None) return result;
  result.foundOn = session.PortName();
  steps.DeviceFound(session, result.identification);
  result.settings = session.ReadSettings();
  if (!result.settings) {
    result.failure = ConnectFailure::SettingsUnread;
    if (target.Scanning()) session.ClosePort();
  }
  return result;
}

}  // namespace zelvane
