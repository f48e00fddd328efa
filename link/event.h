// Completion events of the exchange's read: auto-reset, like the system
// event objects they stand for on Windows.
#pragma once

#include <memory>

namespace zelvane {

class Event {
 public:
  Event();
  ~Event();
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void Set();

  static constexpr int kWaitTimedOut = -1;
  static constexpr int kWaitFailed = -2;
  // Waits for either event and consumes its signal: 0 or 1 for the one that
  // was signalled (the first wins when both are), kWaitTimedOut or
  // kWaitFailed otherwise.
  static int WaitAny(Event& first, Event& second, int timeoutMs);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zelvane
