// The device as the front ends see it: the one port, the discovery state
// and the workflows that run on them (choose a port, find the device, read
// its settings, write and verify). No widget, no global state: everything
// a workflow needs is passed in or held here.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/discovery.h"
#include "link/exchange.h"
#include "params/param_block.h"
#include "session/block_comparison.h"
#include "session/session_observer.h"

namespace zelvane {

// What choosing an entry of the port list came to.
enum class PortChoice {
  Opened,
  InUse,        // the entry carries the in-use mark: nothing was opened
  CloseFailed,  // the port open before would not close: it stays open
  OpenFailed,   // the entry did not open: no port is open now
  Refused,      // a workflow runs or the session is closing: nothing changed
};

struct PortChoiceResult {
  PortChoice choice = PortChoice::Refused;
  OpenError error;  // why an open failed
};

// What the device holds, as read after it was found.
struct DeviceSettings {
  std::uint8_t country = kNoCountry;  // as stored
  ParamBlock block{};
};

struct WriteRequest {
  ParamBlock block{};
  std::uint8_t modulation = 0;        // 1 for QAM 64; sent to a recognised device only
  std::uint8_t country = kNoCountry;  // the index, kNoCountry for none
};

// What the read-back brought; each part only when its read succeeded
// (the modulation only from a recognised device).
struct Verification {
  std::optional<std::uint8_t> modulation;
  std::optional<std::uint8_t> country;
  std::optional<ParamBlock> block;
  // Where `block` differs from what was written.
  std::vector<ByteDifference> differences;

  bool Verified() const { return block && differences.empty(); }
};

struct WriteOutcome {
  bool written = false;  // the device answered all three writes with 0
  Verification verification;
};

class DeviceSession {
 public:
  explicit DeviceSession(SessionObserver& observer, DebugSink sink = DefaultDebugSink());
  ~DeviceSession();
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  // The workflows run on the thread that owns the session, one at a time.
  // Each is refused while another runs or once the session is closing; a
  // refused workflow sends nothing and returns what a failed one returns.

  // Opens a listed entry in place of the port open now.
  PortChoiceResult ChoosePort(const std::string& entry);
  // Identification on the port that ChoosePort opened.
  Identification Identify();
  // The automatic scan: the entries in order until one identifies.
  Identification Scan(const std::vector<std::string>& entries);
  // The country and the block of the device found; nothing unless both
  // came back whole.
  std::optional<DeviceSettings> ReadSettings();
  // Writes the block, the modulation (recognised device) and the country,
  // pauses, reads them back and compares the block with what was written.
  WriteOutcome Write(const WriteRequest& request);

  // Closes the port; refused while a workflow runs.
  void ClosePort();

  // These two are safe from any thread.
  // Breaks off a running scan: the port being identified is given up at
  // once, and the scan ends at the next port that opens.
  void RequestBreak();
  // For a front end that goes away: the running workflow's exchange or
  // pause ends at once, the workflow sends nothing more, and the port
  // closes when it has unwound, or now when none runs. Nothing starts
  // afterwards.
  void Shutdown();

  // The rest is for the thread that owns the session.
  bool Busy() const { return busy_; }
  bool Closing() const { return closing_; }
  // Under the state lock, since a shutdown closes the port from another
  // thread while no workflow runs.
  bool PortOpen() const;
  // The name of the open port (the entry it was opened by); empty when none is.
  std::string PortName() const;
  const DiscoveryState& Discovery() const { return discovery_; }
  // The modulation read when the device was found, when that read succeeded.
  std::optional<std::uint8_t> FoundModulation() const { return foundModulation_; }

 private:
  class Running;

  DeviceLink Device() { return {link_, *port_}; }
  Identification Found(const Identification& identification);
  void SetScanning(bool scanning);
  bool WriteAll(const WriteRequest& request);
  Verification ReadBack(const ParamBlock& written);

  SessionObserver& observer_;
  Link link_;
  PortHandle port_;
  DiscoveryState discovery_;
  std::optional<std::uint8_t> foundModulation_;
  // Guards the start and the end of a workflow against a shutdown or a
  // break from another thread: busy_, closing_, scanning_ and, while no
  // workflow runs, port_.
  mutable std::mutex stateMutex_;
  std::atomic<bool> busy_{false};
  std::atomic<bool> closing_{false};
  bool scanning_ = false;
  ScanBreak BreakScanRequest{false};
};

}  // namespace zelvane
