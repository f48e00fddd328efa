// Events on POSIX: flags under one process-wide mutex and condition
// variable, so that a wait on either of two events needs no polling.
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "link/event.h"

namespace zelvane {
namespace {

std::mutex& EventMutex() {
  static std::mutex mutex;
  return mutex;
}

std::condition_variable& EventSignalled() {
  static std::condition_variable cv;
  return cv;
}

}  // namespace

struct Event::Impl {
  bool signalled = false;

  // Called with the mutex held.
  bool Consume() {
    if (!signalled) return false;
    signalled = false;
    return true;
  }
};

Event::Event() : impl_(std::make_unique<Impl>()) {}

Event::~Event() = default;

void Event::Set() {
  {
    std::lock_guard<std::mutex> lock(EventMutex());
    impl_->signalled = true;
  }
  EventSignalled().notify_all();
}

int Event::WaitAny(Event& first, Event& second, int timeoutMs) {
  std::unique_lock<std::mutex> lock(EventMutex());
  int which = kWaitTimedOut;
  EventSignalled().wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
    if (first.impl_->Consume()) which = 0;
    else if (second.impl_->Consume()) which = 1;
    return which != kWaitTimedOut;
  });
  return which;
}

}  // namespace zelvane
