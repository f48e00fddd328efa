// Opening and listing ports over pseudo-terminals.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <iterator>

#include "device/discovery.h"
#include "link/serial_port.h"
#include "sim/pseudo_terminal.h"
#include "sim/simulator.h"

namespace zelvane {
namespace {

class PortsVariable {
 public:
  explicit PortsVariable(const std::string& value) {
    if (const char* old = std::getenv("ZELVANE_PORTS")) old_ = old;
    setenv("ZELVANE_PORTS", value.c_str(), 1);
  }
  ~PortsVariable() {
    if (old_.empty()) unsetenv("ZELVANE_PORTS");
    else setenv("ZELVANE_PORTS", old_.c_str(), 1);
  }

 private:
  std::string old_;
};

// Whether another process can open the port right now.
bool OpensInAnotherProcess(const std::string& path) {
  const pid_t child = fork();
  if (child == 0) _exit(OpenPort(path) ? 0 : 1);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(OpenPort, IsExclusiveAndReopensAfterClose) {
  sim::PseudoTerminal pty;
  PortHandle first = OpenPort(pty.SlavePath());
  ASSERT_TRUE(first);

  OpenError why;
  EXPECT_FALSE(OpenPort(pty.SlavePath(), &why));
  EXPECT_EQ(why.reason, OpenFailure::Busy);
  EXPECT_EQ(why.systemError, EWOULDBLOCK);
  EXPECT_FALSE(OpensInAnotherProcess(pty.SlavePath()));

  EXPECT_TRUE(first->Close());
  EXPECT_TRUE(OpenPort(pty.SlavePath()));
  EXPECT_TRUE(OpensInAnotherProcess(pty.SlavePath()));
}

TEST(OpenPort, MissingPermissionIsToldApart) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to become a user without access";
  sim::PseudoTerminal pty;
  ASSERT_EQ(chmod(pty.SlavePath().c_str(), 0600), 0);
  const pid_t child = fork();
  if (child == 0) {
    OpenError why;
    const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
    _exit(dropped && !OpenPort(pty.SlavePath(), &why) && why.reason == OpenFailure::AccessDenied &&
                  why.systemError == EACCES
              ? 0
              : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_NE(AccessHint().find("dialout"), std::string::npos);
}

TEST(OpenPort, FailureKeepsTheSystemErrorBesideItsReason) {
  char file[] = "/tmp/zelvane-not-a-tty-XXXXXX";
  const int fd = mkstemp(file);
  ASSERT_GE(fd, 0);
  close(fd);
  struct Case {
    std::string path;
    OpenFailure reason;
    int systemError;
  };
  const Case cases[] = {
      {"/dev/zelvane-no-such-port", OpenFailure::NotFound, ENOENT},
      {"/tmp", OpenFailure::SystemError, EISDIR},
      {file, OpenFailure::ConfigFailed, ENOTTY},
  };
  for (const Case& c : cases) {
    // Twice: a failed open leaves no lock behind that would make it busy.
    for (int attempt = 0; attempt < 2; ++attempt) {
      OpenError why;
      EXPECT_FALSE(OpenPort(c.path, &why));
      EXPECT_EQ(why.reason, c.reason) << c.path;
      EXPECT_EQ(why.systemError, c.systemError) << c.path;
    }
  }
  unlink(file);
}

TEST(ListSerialPorts, AppendsConfiguredPortsInOrderWithBusyMarks) {
  sim::PseudoTerminal free;
  sim::PseudoTerminal busy;
  PortHandle held = OpenPort(busy.SlavePath());
  ASSERT_TRUE(held);
  PortsVariable ports(busy.SlavePath() + "::" + free.SlavePath() + ":/dev/zelvane-missing");

  std::vector<std::string> entries = ListSerialPorts();
  ASSERT_GE(entries.size(), 3U);
  const std::vector<std::string> tail(entries.end() - 3, entries.end());
  const std::vector<std::string> expected = {busy.SlavePath() + " in use", free.SlavePath(),
                                             "/dev/zelvane-missing in use"};
  EXPECT_EQ(tail, expected);
  // The listing left the free port closed.
  EXPECT_TRUE(OpenPort(free.SlavePath()));
}

// Every field of a terminal's settings, both speeds included.
bool SameSettings(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && a.c_line == b.c_line &&
         std::equal(std::begin(a.c_cc), std::end(a.c_cc), std::begin(b.c_cc)) &&
         cfgetispeed(&a) == cfgetispeed(&b) && cfgetospeed(&a) == cfgetospeed(&b);
}

// Settings far from the device's, so that whatever the port leaves behind shows.
termios OtherSettings(int fd) {
  termios tio{};
  tcgetattr(fd, &tio);
  tio.c_iflag = ICRNL | IXON | IXANY;
  tio.c_oflag = OPOST | ONLCR;
  tio.c_cflag |= CSTOPB | HUPCL;
  tio.c_lflag = ICANON | ISIG | IEXTEN;
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 5;
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  tcsetattr(fd, TCSANOW, &tio);
  tcgetattr(fd, &tio);  // as the terminal keeps them
  return tio;
}

TEST(SerialPort, LeavesTheLineAsItFoundIt) {
  sim::Simulator device;
  // A second descriptor, opened before anything holds the port exclusively.
  const int watcher = open(device.PortPath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(watcher, 0);
  const termios before = OtherSettings(watcher);
  PortsVariable ports(device.PortPath());
  struct Case {
    const char* what;
    std::function<void()> use;
  };
  const Case cases[] = {
      {"listing", [] { ListSerialPorts(); }},
      {"connect and close",
       [&] {
         Link link([](const std::string&) {});
         PortHandle port = OpenPort(device.PortPath());
         ASSERT_TRUE(port);
         DiscoveryState state;
         EXPECT_EQ(IdentifyDevice({link, *port}, state).result, kFound);
         EXPECT_TRUE(port->Close());
       }},
  };
  for (const Case& c : cases) {
    c.use();
    termios after{};
    ASSERT_EQ(tcgetattr(watcher, &after), 0);
    EXPECT_TRUE(SameSettings(before, after)) << c.what;
  }
  close(watcher);
}

}  // namespace
}  // namespace zelvane
