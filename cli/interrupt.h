// Ctrl-C and SIGTERM (on Windows the console's control events) while the
// devices are worked on: `onInterrupt` runs on a thread of the watch's
// own, never in a signal handler, so it may stop the sessions. One
// implementation per platform.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

namespace zelvane::cli {

class InterruptWatch {
 public:
  // Watches from now on; construct it before any other thread starts, so
  // that every thread leaves the signals to the watch.
  explicit InterruptWatch(std::function<void()> onInterrupt);
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

  bool Interrupted() const { return interrupted_; }

 private:
  struct Platform;

  void Interrupt();

  std::function<void()> onInterrupt_;
  std::atomic<bool> interrupted_{false};
  std::unique_ptr<Platform> platform_;
};

}  // namespace zelvane::cli
