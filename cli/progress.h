// Progress on standard error while the protocol waits: the ports tried
// and the phases of a connection and a write, one line each. The pauses sleep.
#pragma once

#include <ostream>
#include <string>

#include "session/connect_workflow.h"
#include "session/session_observer.h"

namespace zelvane::cli {

class Progress : public SessionObserver, public ConnectSteps {
 public:
  explicit Progress(std::ostream& out) : out_(out) {}

  // A step of the command's own.
  void Say(const std::string& line);

  void LookingOnPort(const std::string& port) override;
  void LookingOnList() override;
  void DeviceFound(const DeviceSession& session, const Identification& found) override;

  void TryingPort(const std::string& entry) override;
  void WritingStarted() override;
  void WritingEnded(bool written) override;
  void VerificationStarted() override;

 private:
  std::ostream& out_;
};

}  // namespace zelvane::cli
