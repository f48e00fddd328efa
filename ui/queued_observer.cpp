#include "ui/queued_observer.h"

void QueuedObserver::TryingPort(const std::string& entry) {
  Post([this, entry] { target_.TryingPort(entry); });
}

void QueuedObserver::WritingStarted() {
  Post([this] { target_.WritingStarted(); });
}

void QueuedObserver::WritingEnded(bool written) {
  Post([this, written] { target_.WritingEnded(written); });
}

void QueuedObserver::VerificationStarted() {
  Post([this] { target_.VerificationStarted(); });
}

void QueuedObserver::ModulationReadBackStarted() {
  Post([this] { target_.ModulationReadBackStarted(); });
}

void QueuedObserver::ModulationReadBack(std::optional<std::uint8_t> modulation) {
  Post([this, modulation] { target_.ModulationReadBack(modulation); });
}

void QueuedObserver::VerificationReadsEnded() {
  Post([this] { target_.VerificationReadsEnded(); });
}
