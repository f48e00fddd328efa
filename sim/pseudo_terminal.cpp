// Pseudo-terminal pair in raw mode.
#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace zelvane::sim {
namespace {

[[noreturn]] void Fail(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) Fail("posix_openpt");
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) Fail("unlockpt");
  const char* name = ptsname(master_);
  if (name == nullptr) Fail("ptsname");
  slavePath_ = name;
  keepAlive_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (keepAlive_ < 0) Fail("open slave");
  // Raw from the start: an echoing slave would send every reply back to us.
  termios tio{};
  if (tcgetattr(keepAlive_, &tio) != 0) Fail("tcgetattr");
  cfmakeraw(&tio);
  if (tcsetattr(keepAlive_, TCSANOW, &tio) != 0) Fail("tcsetattr");
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

void PseudoTerminal::SuspendOutput() {
  if (tcflow(keepAlive_, TCOOFF) != 0) Fail("tcflow");
}

void PseudoTerminal::HangUp() {
  ::close(master_);
  master_ = -1;
}

PseudoTerminal::~PseudoTerminal() {
  if (keepAlive_ >= 0) ::close(keepAlive_);
  if (master_ >= 0) ::close(master_);
}

}  // namespace zelvane::sim
