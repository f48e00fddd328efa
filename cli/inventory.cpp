// A port is only identified and read: nothing is written, and each port
// is closed again (as found) when its session ends.
#include "cli/inventory.h"

#include <memory>
#include <thread>
#include <vector>

#include "cli/device_view.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "link/port_description.h"
#include "link/serial_port.h"
#include "session/connect_workflow.h"

namespace zelvane::cli {
namespace {

constexpr char kProgramPrefix[] = "zelvane-cli: ";
constexpr char kUnknownAdapter[] = "-";

// What stands on one port.
struct PortRow {
  std::string entry;
  std::string port;
  PortDescription adapter;
  ConnectFailure failure = ConnectFailure::None;
  std::optional<DeviceView> device;
};

std::string WithoutInUseMark(const std::string& entry) {
  const std::string mark = kInUseMark;
  const bool marked = entry.size() >= mark.size() &&
                      entry.compare(entry.size() - mark.size(), mark.size(), mark) == 0;
  return marked ? entry.substr(0, entry.size() - mark.size()) : entry;
}

const char* StateOf(const PortRow& row) {
  switch (row.failure) {
    case ConnectFailure::None: return "device";
    case ConnectFailure::PortMarkedInUse: return "busy";
    case ConnectFailure::PortNotOpened: return "not opened";
    case ConnectFailure::SettingsUnread: return "settings unread";
    default: return "no device";
  }
}

void Identify(PortRow& row, bool trace, LineWriter& err) {
  SessionObserver quiet;
  DebugSink sink = [](const std::string&) {};
  if (trace) sink = [&err, &row](const std::string& line) { err.Write(row.port + ": ", line); };
  DeviceSession session(quiet, sink);
  ConnectSteps steps;
  const ConnectResult result = Connect(session, {row.entry, {}}, steps);
  row.failure = result.failure;
  if (result.settings) {
    row.device = ViewOf(session, result.settings->country, session.FoundModulation(),
                        result.settings->block);
  }
}

std::string RowText(const PortRow& row) {
  const std::string adapter = DescriptionText(row.adapter);
  return row.port + "\t" + (adapter.empty() ? kUnknownAdapter : adapter) + "\t" +
         (row.device ? SettingsColumns(*row.device) : StateOf(row));
}

json::Value AdapterJson(const PortDescription& adapter) {
  if (DescriptionText(adapter).empty()) return json::Value();
  json::Value object = json::Value::object();
  object["maker"] = adapter.manufacturer;
  object["model"] = adapter.product;
  object["serial"] = adapter.serialNumber;
  object["name"] = adapter.friendlyName;
  return object;
}

json::Value RowJson(const PortRow& row) {
  json::Value object = json::Value::object();
  object["port"] = row.port;
  object["adapter"] = AdapterJson(row.adapter);
  object["state"] = StateOf(row);
  if (!row.device) return object;
  const json::Value settings = SettingsJson(*row.device);
  for (auto member = settings.begin(); member != settings.end(); ++member) {
    if (member.key() != "port") object[member.key()] = *member;
  }
  return object;
}

}  // namespace

int Inventory(const Invocation& invocation, std::ostream& out, LineWriter& err) {
  std::vector<PortRow> rows;
  for (const std::string& entry : ListSerialPorts()) {
    rows.push_back({entry, WithoutInUseMark(entry), DescribeEntry(entry), {}, {}});
  }
  if (rows.empty()) {
    err.Write(kProgramPrefix, "no serial ports are listed");
    return kExitNoDevice;
  }
  std::vector<std::thread> threads;
  for (PortRow& row : rows) {
    threads.emplace_back([&row, &invocation, &err] { Identify(row, invocation.trace, err); });
  }
  for (std::thread& thread : threads) thread.join();

  json::Value array = json::Value::array();
  bool anyDevice = false;
  for (const PortRow& row : rows) {
    anyDevice |= row.device.has_value();
    if (invocation.json) {
      array.push_back(RowJson(row));
    } else {
      out << RowText(row) << "\n";
    }
  }
  if (invocation.json) out << json::Serialize(array, json::Layout::OneLine) << "\n";
  out.flush();
  return anyDevice ? kExitOk : kExitNoDevice;
}

}  // namespace zelvane::cli
