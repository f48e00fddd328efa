// Flushed line by line, so that a person watching sees each step as it
// starts, not when the command ends.
#include "cli/progress.h"

namespace zelvane::cli {

void Progress::Say(const std::string& line) { out_.Write(prefix_, line); }

void Progress::LookingOnPort(const std::string& port) { Say("looking for the device on " + port); }

void Progress::LookingOnList() { Say("looking for the device on every listed port"); }

void Progress::DeviceFound(const DeviceSession& session, const Identification&) {
  const DiscoveryState& found = session.Discovery();
  Say("found the device on " + session.PortName() + " (module " +
      std::to_string(found.ModuleAddress) + ", revision \"" + found.Revision + "\")");
}

void Progress::TryingPort(const std::string& entry) { Say("trying " + entry); }

void Progress::WritingStarted() { Say("writing"); }

// The window's "..Error!": a device that refused a write may still hold
// what was sent, which the verification tells.
void Progress::WritingEnded(bool written) {
  Say(written ? "written" : "the device did not accept every write");
}

void Progress::VerificationStarted() { Say("verifying"); }

}  // namespace zelvane::cli
