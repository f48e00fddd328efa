// One serial port opened exclusively with the device's line settings, and
// the list of the system's ports. One implementation per platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

enum class OpenFailure { None, NotFound, Busy, AccessDenied, ConfigFailed };

class SerialPort {
 public:
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Opens and configures `name`; null on failure, with the reason in
  // `failure` when it is given. A port that fails to configure is closed.
  static std::unique_ptr<SerialPort> Open(const std::string& name,
                                          OpenFailure* failure = nullptr);

  // True when all `count` bytes were written within `timeoutMs`; false at
  // the deadline, or at once when the line refuses the write (a USB adapter
  // pulled out, a hung-up line).
  bool Write(const std::uint8_t* bytes, std::size_t count, int timeoutMs);
  // Reads up to `maxBytes` under the read time-outs above; the number of
  // bytes read, or -1 when the read failed. Surplus bytes stay queued.
  int Read(std::uint8_t* buffer, std::size_t maxBytes);
  void PurgeOutput();
  void AbortWrite();
  void PurgeInput();
  // Closes the port; false when the system refused. Afterwards the object
  // holds no port whatever the result.
  bool Close();

  const std::string& Name() const { return name_; }

 private:
  static constexpr std::intptr_t kNoHandle = -1;

  SerialPort(std::intptr_t handle, std::string name);
  // The platform part of Open: the configured handle, or kNoHandle with
  // the reason in `why`.
  static std::intptr_t OpenHandle(const std::string& name, OpenFailure& why);

  std::intptr_t handle_;
  std::string name_;
};

using PortHandle = std::unique_ptr<SerialPort>;

inline PortHandle OpenPort(const std::string& name, OpenFailure* failure = nullptr) {
  return SerialPort::Open(name, failure);
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
