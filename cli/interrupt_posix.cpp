// The signals are blocked in every thread and taken by sigwait on the
// watch's thread, so no handler runs and no read is cut short by EINTR.
// The watch ends its thread by sending the process a signal it waits for
// once it has marked itself finished.
#include "cli/interrupt.h"

#include <pthread.h>
#include <signal.h>

#include <thread>

namespace zelvane::cli {

struct InterruptWatch::Platform {
  sigset_t signals;
  std::atomic<bool> finished{false};
  std::thread thread;
};

InterruptWatch::InterruptWatch(std::function<void()> onInterrupt)
    : onInterrupt_(std::move(onInterrupt)), platform_(std::make_unique<Platform>()) {
  sigemptyset(&platform_->signals);
  sigaddset(&platform_->signals, SIGINT);
  sigaddset(&platform_->signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &platform_->signals, nullptr);
  platform_->thread = std::thread([this] {
    for (;;) {
      int signal = 0;
      if (sigwait(&platform_->signals, &signal) != 0) continue;
      if (platform_->finished) return;
      Interrupt();
    }
  });
}

InterruptWatch::~InterruptWatch() {
  platform_->finished = true;
  pthread_kill(platform_->thread.native_handle(), SIGTERM);
  platform_->thread.join();
}

void InterruptWatch::Interrupt() {
  if (interrupted_.exchange(true)) return;
  onInterrupt_();
}

}  // namespace zelvane::cli
