// The failures are told in the words a person at the line needs: which
// port, and what kept the device from answering.
#include "cli/connection.h"

#include "link/serial_port.h"
#include "session/connect_workflow.h"
#include "session/port_list.h"

namespace zelvane::cli {
namespace {

std::string OpenFailureText(const std::string& port, const OpenError& error) {
  const std::string prefix = "cannot open " + port + ": ";
  switch (error.reason) {
    case OpenFailure::Busy: return prefix + "the port is in use";
    case OpenFailure::AccessDenied: {
      const std::string hint = AccessHintFor(error);
      return prefix + "access denied" + (hint.empty() ? "" : "\n" + hint);
    }
    case OpenFailure::ConfigFailed: return prefix + "the port does not take the line settings";
    case OpenFailure::SystemError:
      return prefix + "the system refused it (error " + std::to_string(error.systemError) + ")";
    default: return prefix + "no such port";
  }
}

std::string Joined(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& entry : entries) text += (text.empty() ? "" : ", ") + entry;
  return text;
}

std::string FailureText(const ConnectTarget& target, const ConnectResult& result) {
  const std::string port = target.port.value_or("");
  switch (result.failure) {
    case ConnectFailure::PortMarkedInUse: return "cannot open " + port + ": it is marked in use";
    case ConnectFailure::PortNotOpened: return OpenFailureText(port, result.portChoice.error);
    case ConnectFailure::NoDeviceOnPort: return "no device answered on " + port;
    case ConnectFailure::NoPortsListed: return "no serial ports are listed";
    case ConnectFailure::NoDeviceOnList:
      return "no device found on the listed ports (" + Joined(target.scanList) + ")";
    case ConnectFailure::SettingsUnread:
      return "the device on " + result.foundOn + " did not hand over its settings";
    default: return {};
  }
}

}  // namespace

Connection Connect(DeviceSession& session, const std::optional<std::string>& port,
                   Progress& progress) {
  ConnectTarget target{port, {}};
  if (!port) target.scanList = ListSerialPorts();
  const ConnectResult result = zelvane::Connect(session, target, progress);
  const bool noDeviceThere = result.failure == ConnectFailure::PortMarkedInUse ||
                             result.failure == ConnectFailure::PortNotOpened ||
                             result.failure == ConnectFailure::NoDeviceOnPort;
  return {result.settings, FailureText(target, result), noDeviceThere};
}

}  // namespace zelvane::cli
