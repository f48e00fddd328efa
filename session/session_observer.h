// What a front end sees of a running workflow. Every call comes on the
// thread that runs the workflow; each does nothing unless the front end
// says otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zelvane {

class SessionObserver {
 public:
  virtual ~SessionObserver() = default;

  // The scan is about to identify the device behind `entry`.
  virtual void TryingPort(const std::string& entry) { (void)entry; }

  // The write phase starts, and ends: `written` when the device accepted
  // all it was sent.
  virtual void WritingStarted() {}
  virtual void WritingEnded(bool written) { (void)written; }
  // The read-back starts; the modulation read of a recognised device
  // starts and ends (nothing when it failed); all reads are done.
  virtual void VerificationStarted() {}
  virtual void ModulationReadBackStarted() {}
  virtual void ModulationReadBack(std::optional<std::uint8_t> modulation) { (void)modulation; }
  virtual void VerificationReadsEnded() {}
};

}  // namespace zelvane
