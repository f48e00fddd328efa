// The interruption on POSIX: a non-blocking pipe that holds one byte while
// raised, so that poll() on the port and on the pipe ends with either.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <mutex>

#include "link/interruption.h"

namespace zelvane {

struct Interruption::Impl {
  int readEnd = -1;
  int writeEnd = -1;
  // Keeps a raise and a clear from interleaving, so that the pipe holds a
  // byte exactly while the flag is up.
  std::mutex mutex;
};

Interruption::Interruption() : impl_(std::make_unique<Impl>()) {
  int ends[2];
  if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) == 0) {
    impl_->readEnd = ends[0];
    impl_->writeEnd = ends[1];
  }
}

Interruption::~Interruption() {
  if (impl_->readEnd >= 0) ::close(impl_->readEnd);
  if (impl_->writeEnd >= 0) ::close(impl_->writeEnd);
}

void Interruption::Raise() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  if (raised_.exchange(true)) return;
  const std::uint8_t byte = 1;
  while (::write(impl_->writeEnd, &byte, 1) < 0 && errno == EINTR) {
  }
}

void Interruption::Clear() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  if (!raised_.exchange(false)) return;
  std::uint8_t byte = 0;
  while (::read(impl_->readEnd, &byte, 1) > 0 || errno == EINTR) {
  }
}

bool Interruption::Sleep(int ms) const {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  while (!Raised()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return true;
    pollfd p{impl_->readEnd, POLLIN, 0};
    poll(&p, 1, static_cast<int>(left));
  }
  return false;
}

std::intptr_t Interruption::NativeHandle() const { return impl_->readEnd; }

}  // namespace zelvane
