// The failures are told in the words a person at the line needs: which
// port, and what kept the device from answering.
#include "cli/connection.h"

#include "link/serial_port.h"

namespace zelvane::cli {
namespace {

std::string OpenFailureText(const std::string& port, const PortChoiceResult& result) {
  const std::string prefix = "cannot open " + port + ": ";
  if (result.choice == PortChoice::InUse) return prefix + "it is marked in use";
  switch (result.error.reason) {
    case OpenFailure::Busy: return prefix + "the port is in use";
    case OpenFailure::AccessDenied: {
      const std::string hint = AccessHint();
      return prefix + "access denied" + (hint.empty() ? "" : "\n" + hint);
    }
    case OpenFailure::ConfigFailed: return prefix + "the port does not take the line settings";
    case OpenFailure::SystemError:
      return prefix + "the system refused it (error " + std::to_string(result.error.systemError) + ")";
    default: return prefix + "no such port";
  }
}

std::string Joined(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& entry : entries) text += (text.empty() ? "" : ", ") + entry;
  return text;
}

// The failure of discovery; empty when the device was found.
std::string Discover(DeviceSession& session, const std::optional<std::string>& port,
                     Progress& progress) {
  if (port) {
    const PortChoiceResult choice = session.ChoosePort(*port);
    if (choice.choice != PortChoice::Opened) return OpenFailureText(*port, choice);
    progress.Say("looking for the device on " + *port);
    if (session.Identify().result != kFound) return "no device answered on " + *port;
    return {};
  }
  const std::vector<std::string> entries = ListSerialPorts();
  if (entries.empty()) return "no serial ports are listed";
  progress.Say("looking for the device on every listed port");
  if (session.Scan(entries).result != kFound) {
    return "no device found on the listed ports (" + Joined(entries) + ")";
  }
  return {};
}

}  // namespace

Connection Connect(DeviceSession& session, const std::optional<std::string>& port,
                   Progress& progress) {
  Connection connection;
  connection.failure = Discover(session, port, progress);
  if (!connection.failure.empty()) return connection;
  const DiscoveryState& found = session.Discovery();
  progress.Say("found the device on " + session.PortName() + " (module " +
               std::to_string(found.ModuleAddress) + ", revision \"" + found.Revision + "\")");
  connection.settings = session.ReadSettings();
  if (!connection.settings) {
    connection.failure = "the device on " + session.PortName() + " did not hand over its settings";
  }
  return connection;
}

}  // namespace zelvane::cli
