// Events on Windows: system event objects. They are left unnamed so that two
// instances of the tool never share, and steal, each other's signals.
#include <windows.h>

#include "link/event.h"

namespace zelvane {

struct Event::Impl {
  HANDLE handle = nullptr;
};

Event::Event() : impl_(std::make_unique<Impl>()) {
  impl_->handle = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

Event::~Event() {
  if (impl_->handle != nullptr) CloseHandle(impl_->handle);
}

void Event::Set() { SetEvent(impl_->handle); }

int Event::WaitAny(Event& first, Event& second, int timeoutMs) {
  const HANDLE handles[2] = {first.impl_->handle, second.impl_->handle};
  const DWORD result =
      WaitForMultipleObjects(2, handles, FALSE, static_cast<DWORD>(timeoutMs));
  if (result == WAIT_OBJECT_0) return 0;
  if (result == WAIT_OBJECT_0 + 1) return 1;
  return result == WAIT_TIMEOUT ? kWaitTimedOut : kWaitFailed;
}

}  // namespace zelvane
