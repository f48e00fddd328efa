// The workflows, step for step, with the pauses that let the device settle.
#include "session/device_session.h"

namespace zelvane {
namespace {

// The mark of a busy entry, wherever it stands in the entry's text.
constexpr char kInUseText[] = "in use";

// Before the write, after it, and before the read-back.
constexpr int kBeforeWriteSteps = 20;
constexpr int kBeforeWriteStepMs = 50;
constexpr int kAfterWriteSteps = 100;
constexpr int kAfterWriteStepMs = 10;
constexpr int kBeforeVerifySteps = 20;
constexpr int kBeforeVerifyStepMs = 50;

}  // namespace

// Marks the session busy for one workflow; a shutdown asked for meanwhile
// closes the port once the workflow has unwound.
class DeviceSession::Running {
 public:
  explicit Running(DeviceSession& session) : session_(session) { session_.busy_ = true; }
  ~Running() {
    session_.busy_ = false;
    if (session_.closing_) session_.port_.reset();
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  DeviceSession& session_;
};

DeviceSession::DeviceSession(SessionObserver& observer, DebugSink sink)
    : observer_(observer), link_(std::move(sink)) {
  link_.SetMessagePump([this] { observer_.PumpMessages(); });
}

DeviceSession::~DeviceSession() = default;

PortChoiceResult DeviceSession::ChoosePort(const std::string& entry) {
  if (!CanStart()) return {};
  if (entry.find(kInUseText) != std::string::npos) return {PortChoice::InUse, {}};
  if (port_) {
    if (!port_->Close()) return {PortChoice::CloseFailed, {}};
    port_.reset();
  }
  PortChoiceResult result{PortChoice::Opened, {}};
  port_ = OpenPort(entry, &result.error);
  if (!port_) result.choice = PortChoice::OpenFailed;
  return result;
}

Identification DeviceSession::Identify() {
  if (!CanStart() || !port_) return {};
  Running running(*this);
  return Found(IdentifyDevice(Device(), discovery_));
}

Identification DeviceSession::Scan(const std::vector<std::string>& entries) {
  if (!CanStart()) return {};
  Running running(*this);
  // A port left open by an earlier connection would count as busy.
  port_.reset();
  return Found(ScanPorts(
      link_, entries, port_, discovery_, [this] { observer_.PumpMessages(); },
      [this](const std::string& entry) { observer_.TryingPort(entry); }));
}

Identification DeviceSession::Found(const Identification& identification) {
  foundModulation_ = identification.modulation;
  return identification;
}

std::optional<DeviceSettings> DeviceSession::ReadSettings() {
  if (!CanStart() || !port_) return std::nullopt;
  Running running(*this);
  const std::uint8_t address = discovery_.ModuleAddress;
  const std::optional<std::uint8_t> country = CmdReadCountryIndex(Device(), address).DataByte();
  if (!country) return std::nullopt;
  const std::optional<ParamBlock> block = WholeBlock(CmdReadParamBlock(Device(), address));
  if (!block) return std::nullopt;
  return DeviceSettings{*country, *block};
}

WriteOutcome DeviceSession::Write(const WriteRequest& request) {
  WriteOutcome outcome;
  if (!CanStart() || !port_) return outcome;
  Running running(*this);
  observer_.WritingStarted();
  Pause(kBeforeWriteSteps, kBeforeWriteStepMs);
  outcome.written = WriteAll(request);
  observer_.WritingEnded(outcome.written);
  Pause(kAfterWriteSteps, kAfterWriteStepMs);
  observer_.VerificationStarted();
  Pause(kBeforeVerifySteps, kBeforeVerifyStepMs);
  outcome.verification = ReadBack(request.block);
  return outcome;
}

// A session that closes waits for nothing more.
void DeviceSession::Pause(int steps, int stepMs) {
  for (int i = 0; i < steps && !closing_; ++i) observer_.PauseStep(stepMs);
}

// All three are sent whatever the device answers to the first.
bool DeviceSession::WriteAll(const WriteRequest& request) {
  const std::uint8_t address = discovery_.ModuleAddress;
  bool written = CmdWriteParamBlock(Device(), address, request.block) == kStatusOk;
  if (discovery_.DeviceRecognised) {
    written &= CmdSetModulation(Device(), address, request.modulation) == kStatusOk;
  }
  written &= CmdWriteCountryIndex(Device(), address, request.country) == kStatusOk;
  return written;
}

Verification DeviceSession::ReadBack(const ParamBlock& written) {
  Verification verification;
  const std::uint8_t address = discovery_.ModuleAddress;
  if (discovery_.DeviceRecognised) {
    observer_.ModulationReadBackStarted();
    verification.modulation = CmdReadModulation(Device(), address).DataByte();
    observer_.ModulationReadBack(verification.modulation);
  }
  verification.country = CmdReadCountryIndex(Device(), address).DataByte();
  verification.block = WholeBlock(CmdReadParamBlock(Device(), address));
  observer_.VerificationReadsEnded();
  if (verification.block) verification.differences = CompareBlocks(written, *verification.block);
  return verification;
}

void DeviceSession::ClosePort() {
  if (!busy_) port_.reset();
}

void DeviceSession::Shutdown() {
  closing_ = true;
  discovery_.BreakScanRequest = true;
  link_.Cancel();
  ClosePort();
}

}  // namespace zelvane
