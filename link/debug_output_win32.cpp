// Diagnostics on Windows: the debugger output.
#include <windows.h>

#include "link/debug_output.h"

namespace zelvane {

DebugSink DefaultDebugSink() {
  return [](const std::string& text) { OutputDebugStringA(text.c_str()); };
}

}  // namespace zelvane
