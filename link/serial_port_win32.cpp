// Serial ports on Windows: the COM port opened exclusively for overlapped
// I/O, configured through its DCB and read time-outs; the DCB and time-outs
// found at open are put back before close. Each read and write waits on its
// completion and on the interruption, so that either ends it.
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
                            OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
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

namespace {

// One overlapped read or write, from its start to its end: complete, failed,
// or cancelled once the interruption is raised. The port's own time-outs
// end it otherwise. False when it failed or was cancelled.
class Transfer {
 public:
  Transfer() { overlapped_.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr); }
  ~Transfer() {
    if (overlapped_.hEvent != nullptr) CloseHandle(overlapped_.hEvent);
  }
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;

  OVERLAPPED* Overlapped() { return &overlapped_; }

  // `started` is what ReadFile or WriteFile returned.
  bool Finish(HANDLE port, BOOL started, const Interruption* interruption, DWORD& count) {
    if (!started && GetLastError() != ERROR_IO_PENDING) return false;
    if (interruption != nullptr) {
      const HANDLE handles[2] = {overlapped_.hEvent,
                                 reinterpret_cast<HANDLE>(interruption->NativeHandle())};
      if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0) {
        CancelIoEx(port, &overlapped_);
        GetOverlappedResult(port, &overlapped_, &count, TRUE);
        interrupted_ = true;
        return false;
      }
    }
    if (GetOverlappedResult(port, &overlapped_, &count, TRUE)) return true;
    // A read that the port's time-outs end is complete with what came;
    // Wine reports it as timed out. A write's shortfall shows in `count`.
    const DWORD error = GetLastError();
    return error == ERROR_TIMEOUT || error == WAIT_TIMEOUT || error == ERROR_SEM_TIMEOUT;
  }

  bool Interrupted() const { return interrupted_; }

 private:
  OVERLAPPED overlapped_{};
  bool interrupted_ = false;
};

}  // namespace

// The write returns when it is complete, when the port's write time-out set
// here to `timeoutMs` expires (a line held by XOFF or a stalled driver), or
// at once when it fails.
bool SerialPort::Write(const std::uint8_t* bytes, std::size_t count, int timeoutMs,
                       const Interruption* interruption) {
  HANDLE port = line_->handle;
  COMMTIMEOUTS timeouts{};
  if (!GetCommTimeouts(port, &timeouts)) return false;
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(timeoutMs);
  if (!SetCommTimeouts(port, &timeouts)) return false;
  if (interruption != nullptr && interruption->Raised()) return false;
  Transfer transfer;
  DWORD written = 0;
  const BOOL started =
      WriteFile(port, bytes, static_cast<DWORD>(count), nullptr, transfer.Overlapped());
  return transfer.Finish(port, started, interruption, written) && written == count;
}

int SerialPort::Read(std::uint8_t* buffer, std::size_t maxBytes, const Interruption* interruption) {
  if (interruption != nullptr && interruption->Raised()) return kReadInterrupted;
  Transfer transfer;
  DWORD got = 0;
  const BOOL started =
      ReadFile(line_->handle, buffer, static_cast<DWORD>(maxBytes), nullptr, transfer.Overlapped());
  if (!transfer.Finish(line_->handle, started, interruption, got)) {
    return transfer.Interrupted() ? kReadInterrupted : kReadFailed;
  }
  return static_cast<int>(got);
}

void SerialPort::PurgeOutput() { PurgeComm(line_->handle, PURGE_TXCLEAR); }

void SerialPort::AbortWrite() { PurgeComm(line_->handle, PURGE_TXABORT); }

void SerialPort::PurgeInput() { PurgeComm(line_->handle, PURGE_RXCLEAR); }

std::string AccessHint() { return {}; }

}  // namespace zelvane
