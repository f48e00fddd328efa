// Serial ports on Windows: the COM port opened exclusively and synchronous,
// configured through its DCB and read time-outs; the DCB and time-outs found
// at open are put back before close.
#include <windows.h>

#include <optional>
#include <vector>

#include "link/serial_port.h"

namespace zelvane {
namespace {

// What a port held when it was opened.
struct FoundSettings {
  std::optional<DCB> state;
  std::optional<COMMTIMEOUTS> timeouts;
};

}  // namespace

struct SerialPort::Line {
  HANDLE handle = INVALID_HANDLE_VALUE;
  FoundSettings found;
};

namespace {

constexpr char kDevicePrefix[] = "\\\\.\\";
constexpr DWORD kDcbLength = 28;

OpenFailure FailureOf(DWORD error) {
  switch (error) {
    // A COM port held by another program reports access denied.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return OpenFailure::Busy;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return OpenFailure::NotFound;
    default: return OpenFailure::SystemError;
  }
}

OpenError ErrorOf(OpenFailure reason) {
  return {reason, static_cast<int>(GetLastError())};
}

// The queue sizes have no getter, so they alone are not put back.
bool ConfigurePort(HANDLE port, FoundSettings& found) {
  if (!SetupComm(port, kQueueSize, kQueueSize)) return false;
  DCB dcb{};
  dcb.DCBlength = kDcbLength;
  if (!GetCommState(port, &dcb)) return false;
  found.state = dcb;
  dcb.DCBlength = kDcbLength;
  dcb.fBinary = TRUE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_DISABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fNull = FALSE;
  dcb.fRtsControl = RTS_CONTROL_DISABLE;
  dcb.fAbortOnError = FALSE;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;

  COMMTIMEOUTS timeouts{};
  if (!GetCommTimeouts(port, &timeouts)) return false;
  found.timeouts = timeouts;
  timeouts.ReadIntervalTimeout = kReadIntervalTimeoutMs;
  timeouts.ReadTotalTimeoutMultiplier = kReadTotalMultiplierMs;
  timeouts.ReadTotalTimeoutConstant = kReadTotalConstantMs;
  if (!SetCommTimeouts(port, &timeouts)) return false;

  dcb.BaudRate = kBaudRate;
  if (!SetCommState(port, &dcb)) return false;
  if (!ClearCommBreak(port)) return false;
  DWORD errors = 0;
  COMSTAT status{};
  return ClearCommError(port, &errors, &status) != 0;
}

}  // namespace

SerialPort::LinePtr SerialPort::OpenLine(const std::string& name, OpenError& error) {
  const std::string path = kDevicePrefix + name;
  HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    error = ErrorOf(FailureOf(GetLastError()));
    return nullptr;
  }
  // From here on a failure closes the port through CloseLine, which puts
  // back whatever was saved.
  LinePtr line(new Line{port, {}});
  if (!ConfigurePort(port, line->found)) {
    error = ErrorOf(OpenFailure::ConfigFailed);
    return nullptr;
  }
  return line;
}

// Best effort: a port that has gone away refuses, and is closed all the same.
bool SerialPort::CloseLine(Line* line) {
  const std::unique_ptr<Line> owned(line);
  if (line->found.timeouts) SetCommTimeouts(line->handle, &*line->found.timeouts);
  if (line->found.state) SetCommState(line->handle, &*line->found.state);
  return CloseHandle(line->handle) != 0;
}

// The port is synchronous: the write returns when it is complete, when the
// port's write time-out set here to `timeoutMs` expires (a line held by
// XOFF or a stalled driver), or at once when it fails.
bool SerialPort::Write(const std::uint8_t* bytes, std::size_t count, int timeoutMs) {
  HANDLE port = line_->handle;
  COMMTIMEOUTS timeouts{};
  if (!GetCommTimeouts(port, &timeouts)) return false;
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(timeoutMs);
  if (!SetCommTimeouts(port, &timeouts)) return false;
  DWORD written = 0;
  return WriteFile(port, bytes, static_cast<DWORD>(count), &written, nullptr) && written == count;
}

int SerialPort::Read(std::uint8_t* buffer, std::size_t maxBytes) {
  DWORD got = 0;
  if (!ReadFile(line_->handle, buffer, static_cast<DWORD>(maxBytes), &got, nullptr)) return -1;
  return static_cast<int>(got);
}

void SerialPort::PurgeOutput() { PurgeComm(line_->handle, PURGE_TXCLEAR); }

void SerialPort::AbortWrite() { PurgeComm(line_->handle, PURGE_TXABORT); }

void SerialPort::PurgeInput() { PurgeComm(line_->handle, PURGE_RXCLEAR); }

std::string AccessHint() { return {}; }

}  // namespace zelvane
