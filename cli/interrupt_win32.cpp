// Windows runs a console control handler on a thread of its own, so the
// sessions are stopped from there. The handler finds the watch through the
// one process-wide pointer it can reach; returning TRUE keeps the process
// alive until the devices have stopped.
#include <windows.h>

#include <atomic>

#include "cli/interrupt.h"

namespace zelvane::cli {
namespace {

std::atomic<InterruptWatch*> watching{nullptr};
std::atomic<void (*)(InterruptWatch*)> interrupt{nullptr};

BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  InterruptWatch* watch = watching;
  if (watch == nullptr) return FALSE;
  interrupt.load()(watch);
  return TRUE;
}

}  // namespace

struct InterruptWatch::Platform {};

InterruptWatch::InterruptWatch(std::function<void()> onInterrupt)
    : onInterrupt_(std::move(onInterrupt)), platform_(std::make_unique<Platform>()) {
  interrupt = [](InterruptWatch* watch) { watch->Interrupt(); };
  watching = this;
  SetConsoleCtrlHandler(OnControl, TRUE);
}

InterruptWatch::~InterruptWatch() {
  SetConsoleCtrlHandler(OnControl, FALSE);
  watching = nullptr;
}

void InterruptWatch::Interrupt() {
  if (interrupted_.exchange(true)) return;
  onInterrupt_();
}

}  // namespace zelvane::cli
