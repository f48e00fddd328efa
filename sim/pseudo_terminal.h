// A pseudo-terminal pair: the simulator owns the master, a port user opens
// the slave by its path.
#pragma once

#include <string>

namespace zelvane::sim {

class PseudoTerminal {
 public:
  PseudoTerminal();  // throws std::runtime_error when no pair can be made
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

  // Stops the slave's output, as a line held by flow control does: writes
  // on the slave side block until the output is resumed.
  void SuspendOutput();
  // Closes the master: the slave side is hung up, as when a USB adapter is
  // pulled out. The port user's writes fail from now on.
  void HangUp();

 private:
  int master_ = -1;
  // Held open so that the pair survives the port user's close and the
  // master never reads EIO in between.
  int keepAlive_ = -1;
  std::string slavePath_;
};

}  // namespace zelvane::sim
