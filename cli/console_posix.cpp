// A POSIX terminal takes the bytes as they are.
#include "cli/console.h"

namespace zelvane::cli {

void PrepareConsole() {}

}  // namespace zelvane::cli
