// The workflows, step for step, with the pauses that let the device settle.
#include "session/device_session.h"

#include "link/crc16.h"

namespace zelvane {
namespace {

// The mark of a busy entry, wherever it stands in the entry's text.
constexpr char kInUseText[] = "in use";

// The device settles before the write, after it, and before the read-back.
constexpr int kBeforeWriteMs = 1000;
constexpr int kAfterWriteMs = 1000;
constexpr int kBeforeVerifyMs = 1000;

}  // namespace

// Marks the session busy for one workflow, unless another runs or the
// session is closing; a shutdown asked for meanwhile closes the port once
// the workflow has unwound.
class DeviceSession::Running {
 public:
  explicit Running(DeviceSession& session) : session_(session) {
    std::lock_guard<std::mutex> lock(session_.stateMutex_);
    started_ = !session_.busy_ && !session_.closing_;
    if (started_) session_.busy_ = true;
  }
  ~Running() {
    if (!started_) return;
    std::lock_guard<std::mutex> lock(session_.stateMutex_);
    session_.busy_ = false;
    if (session_.closing_) session_.port_.reset();
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

  explicit operator bool() const { return started_; }

 private:
  DeviceSession& session_;
  bool started_ = false;
};

// The CRC table is built now, so that no exchange waits for it.
DeviceSession::DeviceSession(SessionObserver& observer, DebugSink sink)
    : observer_(observer), link_(std::move(sink)) {
  Crc16ModbusTable();
}

DeviceSession::~DeviceSession() = default;

PortChoiceResult DeviceSession::ChoosePort(const std::string& entry) {
  Running running(*this);
  if (!running) return {};
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
  Running running(*this);
  if (!running || !port_) return {};
  return Found(IdentifyDevice(Device(), discovery_));
}

Identification DeviceSession::Scan(const std::vector<std::string>& entries) {
  Running running(*this);
  if (!running) return {};
  // A port left open by an earlier connection would count as busy.
  port_.reset();
  SetScanning(true);
  const Identification found =
      ScanPorts(link_, entries, port_, discovery_, BreakScanRequest,
                [this](const std::string& entry) { observer_.TryingPort(entry); });
  SetScanning(false);
  return Found(found);
}

// A break belongs to the scan it was pressed in: it is taken back when
// that scan ends, interruption of the link and all.
void DeviceSession::SetScanning(bool scanning) {
  std::lock_guard<std::mutex> lock(stateMutex_);
  scanning_ = scanning;
  BreakScanRequest = false;
  link_.Resume();
}

void DeviceSession::RequestBreak() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  if (!scanning_) return;
  BreakScanRequest = true;
  link_.Interrupt();
}

Identification DeviceSession::Found(const Identification& identification) {
  foundModulation_ = identification.modulation;
  return identification;
}

std::optional<DeviceSettings> DeviceSession::ReadSettings() {
  Running running(*this);
  if (!running || !port_) return std::nullopt;
  const std::uint8_t address = discovery_.ModuleAddress;
  const std::optional<std::uint8_t> country = CmdReadCountryIndex(Device(), address).DataByte();
  if (!country) return std::nullopt;
  const std::optional<ParamBlock> block = WholeBlock(CmdReadParamBlock(Device(), address));
  if (!block) return std::nullopt;
  return DeviceSettings{*country, *block};
}

WriteOutcome DeviceSession::Write(const WriteRequest& request) {
  WriteOutcome outcome;
  Running running(*this);
  if (!running || !port_) return outcome;
  // A session that closes waits for nothing more: its pauses end at once.
  observer_.WritingStarted();
  link_.Pause(kBeforeWriteMs);
  outcome.written = WriteAll(request);
  observer_.WritingEnded(outcome.written);
  link_.Pause(kAfterWriteMs);
  observer_.VerificationStarted();
  link_.Pause(kBeforeVerifyMs);
  outcome.verification = ReadBack(request.block);
  return outcome;
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

bool DeviceSession::PortOpen() const {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return port_ != nullptr;
}

std::string DeviceSession::PortName() const {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return port_ ? port_->Name() : std::string();
}

void DeviceSession::ClosePort() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  if (!busy_) port_.reset();
}

void DeviceSession::Shutdown() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  closing_ = true;
  BreakScanRequest = true;
  link_.Cancel();
  if (!busy_) port_.reset();
}

}  // namespace zelvane
