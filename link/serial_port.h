// One serial port opened exclusively with the device's line settings, and
// the list of the system's ports. One implementation per platform. A port
// is left as it was found: its line settings are put back before it closes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/interruption.h"

namespace zelvane {

// Line settings of the device.
constexpr int kBaudRate = 38400;
constexpr int kQueueSize = 128;
// A read of n bytes ends at n bytes, kReadIntervalTimeoutMs after the last
// received chunk, or kReadTotalMultiplierMs * n + kReadTotalConstantMs after
// it began.
constexpr int kReadIntervalTimeoutMs = 300;
constexpr int kReadTotalMultiplierMs = 10;
constexpr int kReadTotalConstantMs = 20;

// SystemError: any other refusal of the system, told by the error code.
enum class OpenFailure { None, NotFound, Busy, AccessDenied, ConfigFailed, SystemError };

// Why an open failed: the reason the callers act on, and the system's own
// error code (errno, GetLastError) of the call that failed, for a message.
struct OpenError {
  OpenFailure reason = OpenFailure::None;
  int systemError = 0;
};

class SerialPort {
 public:
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Opens and configures `name`; null on failure, with the reason in
  // `error` when it is given. A port that fails to configure is closed.
  static std::unique_ptr<SerialPort> Open(const std::string& name, OpenError* error = nullptr);

  // True when all `count` bytes were written within `timeoutMs`; false at
  // the deadline, at once when the line refuses the write (a USB adapter
  // pulled out, a hung-up line), or as soon as `interruption` is raised.
  bool Write(const std::uint8_t* bytes, std::size_t count, int timeoutMs,
             const Interruption* interruption = nullptr);
  static constexpr int kReadFailed = -1;
  static constexpr int kReadInterrupted = -2;
  // Reads up to `maxBytes` under the read time-outs above; the number of
  // bytes read, kReadFailed, or kReadInterrupted as soon as `interruption`
  // is raised. Surplus bytes stay queued.
  int Read(std::uint8_t* buffer, std::size_t maxBytes, const Interruption* interruption = nullptr);
  void PurgeOutput();
  void AbortWrite();
  void PurgeInput();
  // Puts back the line settings the port had when it was opened, then
  // closes it; false when the system refused the close. Afterwards the
  // object holds no port whatever the result.
  bool Close();

  const std::string& Name() const { return name_; }

 private:
  // The platform's open port: its handle and the line settings it was
  // found with.
  struct Line;
  // Puts the found settings back and closes; false when the close failed.
  static bool CloseLine(Line* line);
  struct LineCloser {
    void operator()(Line* line) const { CloseLine(line); }
  };
  using LinePtr = std::unique_ptr<Line, LineCloser>;

  SerialPort(LinePtr line, std::string name);
  // The platform part of Open: the configured line, or null with the
  // reason in `error`.
  static LinePtr OpenLine(const std::string& name, OpenError& error);

  LinePtr line_;
  std::string name_;
};

using PortHandle = std::unique_ptr<SerialPort>;

inline PortHandle OpenPort(const std::string& name, OpenError* error = nullptr) {
  return SerialPort::Open(name, error);
}

// Appended to a listed port that could not be opened.
constexpr char kInUseMark[] = " in use";

// The system's serial ports in the system's order, each probed with
// OpenPort and marked kInUseMark when that failed. Leaves no port open.
std::vector<std::string> ListSerialPorts();

// The names of the system's serial ports, unprobed (platform part).
std::vector<std::string> SystemPortNames();

// What a user lacking access to a port can do about it; empty where the
// platform cannot tell a missing permission from a busy port.
std::string AccessHint();

}  // namespace zelvane
