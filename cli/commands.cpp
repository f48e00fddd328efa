// Each command finds the device, checks what only the device can tell
// (whether it takes a modulation), and only then writes.
#include "cli/commands.h"

#include "cli/connection.h"
#include "cli/device_view.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "cli/progress.h"
#include "cli/settings_file.h"
#include "device/modulation.h"
#include "link/port_description.h"
#include "link/serial_port.h"
#include "session/verification_report.h"
#include "session/write_request.h"

namespace zelvane::cli {
namespace {

constexpr char kProgramPrefix[] = "zelvane-cli: ";

// What every command that reaches the device works with.
class CommandContext {
 public:
  CommandContext(const Invocation& invocation, std::ostream& out, std::ostream& err)
      : invocation(invocation), out(out), err(err), progress(err), session(progress, TraceSink()) {}

  int Fail(int code, const std::string& why) {
    err << kProgramPrefix << why << "\n";
    return code;
  }

  void Print(const std::string& text, const json::Value& value) {
    out << (invocation.json ? json::Serialize(value, json::Layout::OneLine) + "\n" : text);
    out.flush();
  }

  const Invocation& invocation;
  std::ostream& out;
  std::ostream& err;
  Progress progress;
  DeviceSession session;

 private:
  // The link's trace on standard error with --trace, else nowhere.
  DebugSink TraceSink() {
    if (!invocation.trace) return [](const std::string&) {};
    return [this](const std::string& line) { err << line << std::endl; };
  }
};

int Ports(std::ostream& out, std::ostream& err) {
  const std::vector<std::string> entries = ListSerialPorts();
  if (entries.empty()) err << kProgramPrefix << "no serial ports are listed\n";
  for (const std::string& entry : entries) {
    const std::string description = DescriptionText(DescribeEntry(entry));
    out << entry << (description.empty() ? "" : "\t" + description) << "\n";
  }
  return kExitOk;
}

int WriteAndVerify(CommandContext& context, const WriteRequest& request) {
  DeviceSession& session = context.session;
  const bool recognised = session.Discovery().DeviceRecognised;
  const Verification held = session.Write(request).verification;
  const std::vector<std::string> report = VerificationReport(request, held, recognised);
  if (!held.block || !held.country || (recognised && !held.modulation)) {
    std::string lines;
    for (const std::string& line : report) lines += "\n  " + line;
    return context.Fail(kExitNoDevice, "the device did not hand its settings back after the write:" + lines);
  }
  const DeviceView view = ViewOf(session, *held.country, held.modulation, *held.block);
  context.Print(WriteResultText(view, report),
                WriteResultJson(view, report.empty(), held.differences));
  if (!report.empty()) {
    return context.Fail(kExitMismatch, "the device holds other settings than were written");
  }
  context.progress.Say("verified");
  return kExitOk;
}

int Read(CommandContext& context) {
  const Connection connection = Connect(context.session, context.invocation.port, context.progress);
  if (!connection.settings) return context.Fail(kExitNoDevice, connection.failure);
  const DeviceView view = ViewOf(context.session, connection.settings->country,
                                 context.session.FoundModulation(), connection.settings->block);
  context.Print(SettingsText(view), SettingsJson(view));
  return kExitOk;
}

int Write(CommandContext& context, const SettingsChange& changes) {
  DeviceSession& session = context.session;
  const Connection connection = Connect(session, context.invocation.port, context.progress);
  if (!connection.settings) return context.Fail(kExitNoDevice, connection.failure);
  const DiscoveryState& found = session.Discovery();
  if (changes.modulation && !found.DeviceRecognised) {
    return context.Fail(kExitUsage, "--qam: the device on " + session.PortName() +
                                        " reports revision \"" + found.Revision +
                                        "\", not the one whose modulation can be set; nothing written");
  }
  const std::optional<std::uint8_t> modulation = ModulationToSend(session, changes.modulation);
  if (!modulation) {
    return context.Fail(kExitNoDevice,
                        "the device's modulation could not be read; give --qam to set it");
  }
  return WriteAndVerify(context, ChangedSettings(*connection.settings, *modulation, changes));
}

int Save(CommandContext& context) {
  const Connection connection = Connect(context.session, context.invocation.port, context.progress);
  if (!connection.settings) return context.Fail(kExitNoDevice, connection.failure);
  SettingsRecord record;
  record.block = connection.settings->block;
  record.modulation = context.session.FoundModulation();
  record.country = connection.settings->country;
  record.revision = context.session.Discovery().Revision;
  record.saved = UtcNow();
  if (!WriteSettingsFile(context.invocation.file, record)) {
    return context.Fail(kExitUsage, "cannot write " + context.invocation.file);
  }
  context.progress.Say("saved the settings of " + context.session.PortName() + " to " +
                       context.invocation.file);
  return kExitOk;
}

int Load(CommandContext& context) {
  const std::string& file = context.invocation.file;
  const SettingsFileRead read = ReadSettingsFile(file);
  if (!read.record) return context.Fail(kExitUsage, file + ": " + read.error + "; nothing sent");
  DeviceSession& session = context.session;
  const Connection connection = Connect(session, context.invocation.port, context.progress);
  if (!connection.settings) return context.Fail(kExitNoDevice, connection.failure);
  if (read.record->modulation && !session.Discovery().DeviceRecognised) {
    context.progress.Say("the device takes no modulation: the file's is not written");
  }
  const std::optional<std::uint8_t> modulation = ModulationToSend(session, read.record->modulation);
  if (!modulation) {
    return context.Fail(kExitNoDevice,
                        "the file holds no modulation and the device's could not be read");
  }
  return WriteAndVerify(context, RequestOf(*read.record, *modulation));
}

}  // namespace

int RunCommand(const Invocation& invocation, const SettingsChange& changes, std::ostream& out,
               std::ostream& err) {
  if (invocation.command == Command::Ports) return Ports(out, err);
  CommandContext context(invocation, out, err);
  switch (invocation.command) {
    case Command::Read: return Read(context);
    case Command::Write: return Write(context, changes);
    case Command::Save: return Save(context);
    case Command::Load: return Load(context);
    default: return kExitUsage;
  }
}

}  // namespace zelvane::cli
