// Serial ports on POSIX: termios in raw mode, exclusive through flock and
// TIOCEXCL, the Windows read time-outs rebuilt on poll(), and the termios
// and modem lines found at open put back before close.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <optional>

#include "link/port_list.h"
#include "link/serial_port.h"

namespace zelvane {
namespace {

// What a line held when it was opened.
struct FoundSettings {
  std::optional<termios> settings;
  // None on a line without modem lines (a pseudo-terminal).
  std::optional<int> modemLines;
};

}  // namespace

struct SerialPort::Line {
  int fd = -1;
  FoundSettings found;
};

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kSysTty[] = "/sys/class/tty";
constexpr char kUnknownUartType[] = "0";

// A pseudo-terminal has no modem lines and no break: those calls may fail
// with ENOTTY or EINVAL without making the port unusable.
bool ToleratedLineError(int error) { return error == ENOTTY || error == EINVAL; }

OpenFailure FailureOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return OpenFailure::AccessDenied;
    case EBUSY:
    case EWOULDBLOCK: return OpenFailure::Busy;
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR: return OpenFailure::NotFound;
    default: return OpenFailure::SystemError;
  }
}

OpenError ErrorOf(OpenFailure reason) { return {reason, errno}; }

bool SaveLine(int fd, FoundSettings& found) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return false;
  found.settings = settings;
  int modemLines = 0;
  if (ioctl(fd, TIOCMGET, &modemLines) == 0) {
    found.modemLines = modemLines;
  } else if (!ToleratedLineError(errno)) {
    return false;
  }
  return true;
}

// Best effort: a line that has gone away refuses, and is closed all the same.
void RestoreLine(int fd, const FoundSettings& found) {
  if (found.settings) tcsetattr(fd, TCSANOW, &*found.settings);
  if (found.modemLines) ioctl(fd, TIOCMSET, &*found.modemLines);
}

bool ConfigureLine(int fd, termios tio) {
  tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR |
                                        IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
  tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  static_assert(kBaudRate == 38400, "the speed constant below must follow kBaudRate");
  if (cfsetispeed(&tio, B38400) != 0 || cfsetospeed(&tio, B38400) != 0) return false;
  if (tcsetattr(fd, TCSANOW, &tio) != 0) return false;

  int lines = TIOCM_DTR | TIOCM_RTS;
  if (ioctl(fd, TIOCMBIC, &lines) != 0 && !ToleratedLineError(errno)) return false;
  if (ioctl(fd, TIOCCBRK) != 0 && !ToleratedLineError(errno)) return false;
  return true;
}

int RemainingMs(Clock::time_point deadline) {
  const auto left = deadline - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  // Round up so that the wait never ends before its deadline.
  return static_cast<int>(
      std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

std::string ReadFirstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

// A tty with a device behind it, except UART slots (serial8250 reserves
// several) in which the kernel found no UART.
bool IsRealSerialDevice(const std::string& name) {
  const std::string dir = std::string(kSysTty) + "/" + name;
  if (access((dir + "/device").c_str(), F_OK) != 0) return false;
  return ReadFirstLine(dir + "/type") != kUnknownUartType;
}

// ttyS2 before ttyS10.
bool NaturalLess(const std::string& a, const std::string& b) {
  return strverscmp(a.c_str(), b.c_str()) < 0;
}

std::vector<std::string> SysfsSerialNames() {
  std::vector<std::string> names;
  if (DIR* dir = opendir(kSysTty)) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name[0] != '.' && IsRealSerialDevice(name)) names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end(), NaturalLess);
  for (std::string& name : names) name = "/dev/" + name;
  return names;
}

// Waits for `events` on the port, or for the interruption: 1 when the port
// is ready, 0 at the time-out, -1 on failure (errno), or kInterruptedWait.
constexpr int kInterruptedWait = -2;

int WaitForLine(int fd, short events, int timeoutMs, const Interruption* interruption) {
  pollfd p[2] = {{fd, events, 0}, {-1, POLLIN, 0}};
  if (interruption != nullptr) p[1].fd = static_cast<int>(interruption->NativeHandle());
  const int ready = poll(p, interruption != nullptr ? 2 : 1, timeoutMs);
  if (interruption != nullptr && interruption->Raised()) return kInterruptedWait;
  if (ready > 0 && (p[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 && events == POLLOUT) {
    // A hang-up is reported at once and for good: waiting on would spin.
    errno = EIO;
    return -1;
  }
  return ready > 0 && p[0].revents == 0 ? 0 : ready;
}

}  // namespace

SerialPort::LinePtr SerialPort::OpenLine(const std::string& name, OpenError& error) {
  const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = ErrorOf(FailureOf(errno));
    return nullptr;
  }
  // flock holds against every other open file description, in this process
  // too; TIOCEXCL also keeps out programs that do not lock.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    error = ErrorOf(OpenFailure::Busy);
    ::close(fd);
    return nullptr;
  }
  // From here on a failure closes the line through CloseLine, which puts
  // back whatever was saved.
  LinePtr line(new Line{fd, {}});
  if ((ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) || !SaveLine(fd, line->found) ||
      !ConfigureLine(fd, *line->found.settings)) {
    error = ErrorOf(OpenFailure::ConfigFailed);
    return nullptr;
  }
  return line;
}

bool SerialPort::CloseLine(Line* line) {
  const std::unique_ptr<Line> owned(line);
  RestoreLine(line->fd, line->found);
  ioctl(line->fd, TIOCNXCL);
  return ::close(line->fd) == 0;
}

bool SerialPort::Write(const std::uint8_t* bytes, std::size_t count, int timeoutMs,
                       const Interruption* interruption) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::size_t done = 0;
  while (done < count) {
    if (interruption != nullptr && interruption->Raised()) return false;
    const ssize_t n = ::write(line_->fd, bytes + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return false;
    const int left = RemainingMs(deadline);
    if (left == 0) return false;
    const int ready = WaitForLine(line_->fd, POLLOUT, left, interruption);
    if (ready == kInterruptedWait || (ready < 0 && errno != EINTR)) return false;
  }
  return true;
}

int SerialPort::Read(std::uint8_t* buffer, std::size_t maxBytes, const Interruption* interruption) {
  const auto start = Clock::now();
  const auto total = start + std::chrono::milliseconds(
                                 kReadTotalMultiplierMs * static_cast<int>(maxBytes) +
                                 kReadTotalConstantMs);
  // The interval timer runs only once the first byte has arrived.
  auto deadline = total;
  std::size_t got = 0;
  while (got < maxBytes) {
    const int left = RemainingMs(deadline);
    if (left == 0) break;
    const int ready = WaitForLine(line_->fd, POLLIN, left, interruption);
    if (ready == kInterruptedWait) return kReadInterrupted;
    if (ready < 0) {
      if (errno == EINTR) continue;
      return kReadFailed;
    }
    if (ready == 0) continue;
    const ssize_t n = ::read(line_->fd, buffer + got, maxBytes - got);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
      deadline = std::min(total, Clock::now() + std::chrono::milliseconds(kReadIntervalTimeoutMs));
    } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
      return kReadFailed;  // the line hung up or broke
    }
  }
  return static_cast<int>(got);
}

void SerialPort::PurgeOutput() { tcflush(line_->fd, TCOFLUSH); }

void SerialPort::AbortWrite() { tcflush(line_->fd, TCOFLUSH); }

void SerialPort::PurgeInput() { tcflush(line_->fd, TCIFLUSH); }

std::vector<std::string> SystemPortNames() {
  std::vector<std::string> names = SysfsSerialNames();
  const std::vector<std::string> configured = ConfiguredPortPaths();
  names.insert(names.end(), configured.begin(), configured.end());
  return names;
}

std::string AccessHint() {
  return "You have no read and write access to this port: add your user to the "
         "group 'dialout' (sudo usermod -aG dialout $USER) and log in again.";
}

}  // namespace zelvane
