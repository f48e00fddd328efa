// Progress on standard error while the protocol waits: the ports tried
// and the phases of a connection and a write, one line each, after the
// prefix of the device's port when several are worked on. The pauses sleep.
#pragma once

#include <string>

#include "cli/line_writer.h"
#include "session/connect_workflow.h"
#include "session/session_observer.h"

namespace zelvane::cli {

class Progress : public SessionObserver, public ConnectSteps {
 public:
  Progress(LineWriter& out, std::string prefix) : out_(out), prefix_(std::move(prefix)) {}

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
  LineWriter& out_;
  std::string prefix_;
};

}  // namespace zelvane::cli
