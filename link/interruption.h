// A flag that another thread raises to break off the link's waits: a read
// or a write in progress on the port and the pauses between exchanges end
// at once. It stays raised until it is cleared. One implementation per
// platform: a pipe that poll() watches beside the port, or an event object
// that an overlapped wait watches.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace zelvane {

class Interruption {
 public:
  Interruption();
  ~Interruption();
  Interruption(const Interruption&) = delete;
  Interruption& operator=(const Interruption&) = delete;

  // Safe from any thread.
  void Raise();
  void Clear();
  bool Raised() const { return raised_.load(); }

  // Waits `ms` milliseconds unless raised meanwhile; false when raised.
  bool Sleep(int ms) const;

  // What the platform's waits watch: a descriptor that is readable while
  // raised (POSIX), or the HANDLE of an event that is set while raised
  // (Windows).
  std::intptr_t NativeHandle() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::atomic<bool> raised_{false};
};

}  // namespace zelvane
