// The interruption on Windows: a manual-reset event, set while raised, that
// the port's overlapped waits and the pauses watch.
#include <windows.h>

#include <mutex>

#include "link/interruption.h"

namespace zelvane {

struct Interruption::Impl {
  HANDLE event = nullptr;
  // Keeps a raise and a clear from interleaving, so that the event is set
  // exactly while the flag is up.
  std::mutex mutex;
};

Interruption::Interruption() : impl_(std::make_unique<Impl>()) {
  impl_->event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

Interruption::~Interruption() {
  if (impl_->event != nullptr) CloseHandle(impl_->event);
}

void Interruption::Raise() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  raised_ = true;
  SetEvent(impl_->event);
}

void Interruption::Clear() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  raised_ = false;
  ResetEvent(impl_->event);
}

bool Interruption::Sleep(int ms) const {
  return WaitForSingleObject(impl_->event, static_cast<DWORD>(ms)) == WAIT_TIMEOUT && !Raised();
}

std::intptr_t Interruption::NativeHandle() const {
  return reinterpret_cast<std::intptr_t>(impl_->event);
}

}  // namespace zelvane
