// Serial ports on Windows: the COM port opened exclusively and synchronous,
// configured through its DCB and read time-outs.
#include <windows.h>

#include <vector>

#include "link/serial_port.h"

namespace zelvane {
namespace {

constexpr char kDevicePrefix[] = "\\\\.\\";
constexpr char kComPrefix[] = "COM";
constexpr std::size_t kComPrefixLength = 3;
constexpr DWORD kDosDeviceBufferSize = 65535;
constexpr DWORD kDcbLength = 28;

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

OpenFailure FailureOf(DWORD error) {
  // A COM port held by another program reports access denied.
  if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) return OpenFailure::Busy;
  return OpenFailure::NotFound;
}

bool ConfigurePort(HANDLE port) {
  if (!SetupComm(port, kQueueSize, kQueueSize)) return false;
  DCB dcb{};
  if (!GetCommState(port, &dcb)) return false;
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
  GetCommTimeouts(port, &timeouts);  // its result is not needed: all three are set below
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

std::intptr_t SerialPort::OpenHandle(const std::string& name, OpenFailure& why) {
  const std::string path = kDevicePrefix + name;
  HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    why = FailureOf(GetLastError());
    return kNoHandle;
  }
  if (!ConfigurePort(port)) {
    why = OpenFailure::ConfigFailed;
    CloseHandle(port);
    return kNoHandle;
  }
  return reinterpret_cast<std::intptr_t>(port);
}

// The port is synchronous: the write returns when it is complete, when the
// port's write time-out set here to `timeoutMs` expires (a line held by
// XOFF or a stalled driver), or at once when it fails.
bool SerialPort::Write(const std::uint8_t* bytes, std::size_t count, int timeoutMs) {
  HANDLE port = Handle(handle_);
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
  if (!ReadFile(Handle(handle_), buffer, static_cast<DWORD>(maxBytes), &got, nullptr)) return -1;
  return static_cast<int>(got);
}

void SerialPort::PurgeOutput() { PurgeComm(Handle(handle_), PURGE_TXCLEAR); }

void SerialPort::AbortWrite() { PurgeComm(Handle(handle_), PURGE_TXABORT); }

void SerialPort::PurgeInput() { PurgeComm(Handle(handle_), PURGE_RXCLEAR); }

bool SerialPort::Close() {
  if (handle_ == kNoHandle) return true;
  HANDLE port = Handle(handle_);
  handle_ = kNoHandle;
  return CloseHandle(port) != 0;
}

std::vector<std::string> SystemPortNames() {
  std::vector<char> buffer(kDosDeviceBufferSize);
  const DWORD length = QueryDosDeviceA(nullptr, buffer.data(), kDosDeviceBufferSize);
  std::vector<std::string> names;
  // Each name ends with a zero byte; an empty name closes the list.
  for (DWORD i = 0; i < length && buffer[i] != '\0';) {
    const std::string name(&buffer[i]);
    if (name.size() > kComPrefixLength && name.compare(0, kComPrefixLength, kComPrefix) == 0) {
      names.push_back(name);
    }
    i += static_cast<DWORD>(name.size()) + 1;
  }
  return names;
}

std::string AccessHint() { return {}; }

}  // namespace zelvane
