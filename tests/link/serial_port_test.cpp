// Opening and listing ports over pseudo-terminals.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "link/serial_port.h"
#include "sim/pseudo_terminal.h"

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

  OpenFailure why = OpenFailure::None;
  EXPECT_FALSE(OpenPort(pty.SlavePath(), &why));
  EXPECT_EQ(why, OpenFailure::Busy);
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
    OpenFailure why = OpenFailure::None;
    const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
    _exit(dropped && !OpenPort(pty.SlavePath(), &why) && why == OpenFailure::AccessDenied ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_NE(AccessHint().find("dialout"), std::string::npos);
}

TEST(OpenPort, MissingDeviceFailsWithItsReason) {
  OpenFailure why = OpenFailure::None;
  EXPECT_FALSE(OpenPort("/dev/zelvane-no-such-port", &why));
  EXPECT_EQ(why, OpenFailure::NotFound);
}

TEST(OpenPort, FileWithoutTerminalFailsToConfigureAndStaysFree) {
  char path[] = "/tmp/zelvane-not-a-tty-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  OpenFailure why = OpenFailure::None;
  EXPECT_FALSE(OpenPort(path, &why));
  EXPECT_EQ(why, OpenFailure::ConfigFailed);
  // The failed open left no lock behind.
  EXPECT_FALSE(OpenPort(path, &why));
  EXPECT_EQ(why, OpenFailure::ConfigFailed);
  unlink(path);
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

}  // namespace
}  // namespace zelvane
