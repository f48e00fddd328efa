// Progress on standard error while the protocol waits: the ports tried
// and the phases of a write, one line each. The pauses sleep.
#pragma once

#include <ostream>
#include <string>

#include "session/session_observer.h"

namespace zelvane::cli {

class Progress : public SessionObserver {
 public:
  explicit Progress(std::ostream& out) : out_(out) {}

  // A step of the command's own.
  void Say(const std::string& line);

  void TryingPort(const std::string& entry) override;
  void WritingStarted() override;
  void WritingEnded(bool written) override;
  void VerificationStarted() override;

 private:
  std::ostream& out_;
};

}  // namespace zelvane::cli
