// A POSIX terminal and command line carry the bytes as they are.
#include "cli/console.h"

namespace zelvane::cli {

void PrepareConsole() {}

std::vector<std::string> CommandWords(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace zelvane::cli
