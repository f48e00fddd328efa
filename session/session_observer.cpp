// The default pause: the front end breathes, the thread sleeps.
#include "session/session_observer.h"

#include <chrono>
#include <thread>

namespace zelvane {

void SessionObserver::PauseStep(int stepMs) {
  PumpMessages();
  std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
}

}  // namespace zelvane
