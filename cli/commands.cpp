// Each command finds the device, checks what only the device can tell
// (whether it takes a modulation), and only then writes. With several
// devices each gets a job of its own: a session, a thread, its progress
// lines after its port; the results are put together when all have ended.
#include "cli/commands.h"

#include <algorithm>
#include <memory>
#include <thread>

#include "cli/connection.h"
#include "cli/device_outcome.h"
#include "cli/device_view.h"
#include "cli/exit_codes.h"
#include "cli/interrupt.h"
#include "cli/inventory.h"
#include "cli/line_writer.h"
#include "cli/output.h"
#include "cli/progress.h"
#include "cli/settings_file.h"
#include "link/serial_port.h"
#include "session/port_list.h"
#include "session/verification_report.h"
#include "session/write_request.h"

namespace zelvane::cli {
namespace {

constexpr char kProgramPrefix[] = "zelvane-cli: ";

// What a command works with on one device.
struct DeviceJob {
  DeviceJob(const Invocation& invocation, std::optional<std::string> port, LineWriter& err,
            bool many)
      : invocation(invocation),
        port(std::move(port)),
        err(err),
        prefix(many ? this->port.value_or("") + ": " : ""),
        progress(err, prefix),
        session(progress, TraceSink()) {
    outcome.port = this->port.value_or("");
  }

  void Fail(int code, const std::string& why) {
    err.Write(prefix, kProgramPrefix + why);
    outcome.code = code;
    outcome.failure = why;
  }

  // The link's trace on standard error with --trace, else nowhere.
  DebugSink TraceSink() {
    if (!invocation.trace) return [](const std::string&) {};
    return [this](const std::string& line) { err.Write(prefix, line); };
  }

  const Invocation& invocation;
  const std::optional<std::string> port;
  LineWriter& err;
  const std::string prefix;
  Progress progress;
  DeviceSession session;
  DeviceOutcome outcome;
};

int Ports(std::ostream& out, std::ostream& err) {
  const std::vector<ListedPort> ports = ListPorts();
  if (ports.empty()) err << kProgramPrefix << "no serial ports are listed\n";
  for (const ListedPort& port : ports) {
    out << port.entry << (port.description.empty() ? "" : "\t" + port.description) << "\n";
  }
  return kExitOk;
}

// The device's settings, or nothing with the failure told. With --all a
// port without a device is passed over in silence.
std::optional<DeviceSettings> Connected(DeviceJob& job) {
  const Connection connection = Connect(job.session, job.port, job.progress);
  if (connection.settings) {
    job.outcome.port = job.session.PortName();
    return connection.settings;
  }
  if (job.invocation.all && connection.noDeviceThere) {
    job.outcome.absent = true;
    job.progress.Say("no device");
  } else {
    job.Fail(kExitNoDevice, connection.failure);
  }
  return std::nullopt;
}

void WriteAndVerify(DeviceJob& job, const WriteRequest& request) {
  DeviceSession& session = job.session;
  const bool recognised = session.Discovery().DeviceRecognised;
  const WriteOutcome written = session.Write(request);
  const Verification& held = written.verification;
  const std::vector<std::string> report = VerificationReport(request, held, recognised);
  job.outcome.written = written.written;
  job.outcome.report = report;
  if (!held.block || !held.country || (recognised && !held.modulation)) {
    std::string lines;
    for (const std::string& line : report) lines += "\n  " + line;
    job.Fail(kExitNoDevice, "the device did not hand its settings back after the write:" + lines);
    return;
  }
  const DeviceView view = ViewOf(session, *held.country, held.modulation, *held.block);
  job.outcome.text = WriteResultText(view, report);
  job.outcome.json = WriteResultJson(view, report.empty(), held.differences);
  if (!report.empty()) {
    job.Fail(kExitMismatch, "the device holds other settings than were written");
    return;
  }
  job.outcome.verified = true;
  job.progress.Say("verified");
}

void Read(DeviceJob& job) {
  const std::optional<DeviceSettings> settings = Connected(job);
  if (!settings) return;
  const DeviceView view =
      ViewOf(job.session, settings->country, job.session.FoundModulation(), settings->block);
  job.outcome.text = SettingsText(view);
  job.outcome.row = job.outcome.port + "\t" + SettingsColumns(view);
  job.outcome.json = SettingsJson(view);
}

void Write(DeviceJob& job, const SettingsChange& changes) {
  const std::optional<DeviceSettings> settings = Connected(job);
  if (!settings) return;
  DeviceSession& session = job.session;
  const DiscoveryState& found = session.Discovery();
  if (changes.modulation && !found.DeviceRecognised) {
    job.Fail(kExitUsage, "--qam: the device on " + session.PortName() + " reports revision \"" +
                             found.Revision +
                             "\", not the one whose modulation can be set; nothing written");
    return;
  }
  const std::optional<std::uint8_t> modulation = ModulationToSend(session, changes.modulation);
  if (!modulation) {
    job.Fail(kExitNoDevice, "the device's modulation could not be read; give --qam to set it");
    return;
  }
  WriteAndVerify(job, ChangedSettings(*settings, *modulation, changes));
}

void Save(DeviceJob& job) {
  const std::optional<DeviceSettings> settings = Connected(job);
  if (!settings) return;
  SettingsRecord record;
  record.block = settings->block;
  record.modulation = job.session.FoundModulation();
  record.country = settings->country;
  record.revision = job.session.Discovery().Revision;
  record.saved = UtcNow();
  const std::string& file = job.invocation.file;
  if (!WriteSettingsFile(file, record)) {
    job.Fail(kExitUsage, "cannot write " + file);
    return;
  }
  job.progress.Say("saved the settings of " + job.session.PortName() + " to " + file);
}

void Load(DeviceJob& job, const SettingsRecord& record) {
  const std::optional<DeviceSettings> settings = Connected(job);
  if (!settings) return;
  DeviceSession& session = job.session;
  if (record.modulation && !session.Discovery().DeviceRecognised) {
    job.progress.Say("the device takes no modulation: the file's is not written");
  }
  const std::optional<std::uint8_t> modulation = ModulationToSend(session, record.modulation);
  if (!modulation) {
    job.Fail(kExitNoDevice, "the file holds no modulation and the device's could not be read");
    return;
  }
  WriteAndVerify(job, RequestOf(record, *modulation));
}

// The ports to work on: those given, every listed one with --all, or one
// job without a port that scans the list.
std::vector<std::optional<std::string>> Targets(const Invocation& invocation) {
  std::vector<std::optional<std::string>> targets;
  if (invocation.all) {
    for (const std::string& entry : ListSerialPorts()) targets.emplace_back(entry);
  } else {
    for (const std::string& port : invocation.ports) targets.emplace_back(port);
  }
  if (!invocation.ManyDevices() && targets.empty()) targets.emplace_back(std::nullopt);
  return targets;
}

// The result of one device, as before there were many.
void PrintOne(const Invocation& invocation, const DeviceOutcome& outcome, std::ostream& out) {
  if (invocation.json) {
    if (!outcome.json.is_null()) out << json::Serialize(outcome.json, json::Layout::OneLine) << "\n";
  } else {
    out << outcome.text;
  }
}

// One row a device; or one JSON array of the objects one device gives.
void PrintMany(const Invocation& invocation, const std::vector<DeviceOutcome>& outcomes,
               std::ostream& out) {
  json::Value array = json::Value::array();
  for (const DeviceOutcome& outcome : outcomes) {
    if (outcome.absent) continue;
    if (invocation.json) {
      if (!outcome.json.is_null()) array.push_back(outcome.json);
    } else if (invocation.command == Command::Read) {
      out << (outcome.row.empty() ? outcome.port + "\t" + outcome.failure : outcome.row) << "\n";
    } else {
      out << WriteRow(outcome) << "\n";
    }
  }
  if (invocation.json) out << json::Serialize(array, json::Layout::OneLine) << "\n";
}

// Which devices were written and verified when the work was broken off.
void SayInterrupted(const std::vector<DeviceOutcome>& outcomes, LineWriter& err) {
  err.Write(kProgramPrefix, "interrupted: every device stopped before its next request");
  for (const DeviceOutcome& outcome : outcomes) {
    if (outcome.absent) continue;
    err.Write(kProgramPrefix, outcome.port + ": " + (outcome.written ? "written" : "not written") +
                                  ", " + (outcome.verified ? "verified" : "not verified"));
  }
}

void RunJob(DeviceJob& job, const SettingsChange& changes, const SettingsRecord* record) {
  switch (job.invocation.command) {
    case Command::Read: Read(job); break;
    case Command::Write: Write(job, changes); break;
    case Command::Save: Save(job); break;
    case Command::Load: Load(job, *record); break;
    default: break;
  }
}

int RunJobs(const Invocation& invocation, const SettingsChange& changes,
            const SettingsRecord* record, std::ostream& out, LineWriter& err) {
  const std::vector<std::optional<std::string>> targets = Targets(invocation);
  if (targets.empty()) {
    err.Write(kProgramPrefix, "no serial ports are listed");
    return kExitNoDevice;
  }
  const bool many = invocation.ManyDevices();
  std::vector<std::unique_ptr<DeviceJob>> jobs;
  for (const std::optional<std::string>& port : targets) {
    jobs.push_back(std::make_unique<DeviceJob>(invocation, port, err, many));
  }
  std::vector<DeviceOutcome> outcomes;
  bool interrupted = false;
  {
    InterruptWatch watch([&jobs] {
      for (const std::unique_ptr<DeviceJob>& job : jobs) job->session.Shutdown();
    });
    std::vector<std::thread> threads;
    for (const std::unique_ptr<DeviceJob>& job : jobs) {
      threads.emplace_back([&job, &changes, record] { RunJob(*job, changes, record); });
    }
    for (std::thread& thread : threads) thread.join();
    interrupted = watch.Interrupted();
  }
  for (const std::unique_ptr<DeviceJob>& job : jobs) outcomes.push_back(job->outcome);
  if (many) {
    PrintMany(invocation, outcomes, out);
  } else {
    PrintOne(invocation, outcomes.front(), out);
  }
  out.flush();
  if (interrupted) SayInterrupted(outcomes, err);
  if (many && !interrupted &&
      std::all_of(outcomes.begin(), outcomes.end(), [](const DeviceOutcome& o) { return o.absent; })) {
    err.Write(kProgramPrefix, "no device identified on the listed ports");
    return kExitNoDevice;
  }
  return WorstCode(outcomes, interrupted);
}

}  // namespace

int RunCommand(const Invocation& invocation, const SettingsChange& changes, std::ostream& out,
               std::ostream& err) {
  if (invocation.command == Command::Ports) return Ports(out, err);
  LineWriter lines(err);
  if (invocation.command == Command::Devices) return Inventory(invocation, out, lines);
  std::optional<SettingsRecord> record;
  if (invocation.command == Command::Load) {
    const SettingsFileRead read = ReadSettingsFile(invocation.file);
    if (!read.record) {
      lines.Write(kProgramPrefix, invocation.file + ": " + read.error + "; nothing sent");
      return kExitUsage;
    }
    record = read.record;
  }
  return RunJobs(invocation, changes, record ? &*record : nullptr, out, lines);
}

}  // namespace zelvane::cli
