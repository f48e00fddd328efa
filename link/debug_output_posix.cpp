// Diagnostics on POSIX: one line on standard error per message.
#include <cstdio>

#include "link/debug_output.h"

namespace zelvane {

DebugSink DefaultDebugSink() {
  return [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
}

}  // namespace zelvane
