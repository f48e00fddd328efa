// A Windows console shows UTF-8 only when told to.
#include <windows.h>

#include "cli/console.h"

namespace zelvane::cli {

void PrepareConsole() { SetConsoleOutputCP(CP_UTF8); }

}  // namespace zelvane::cli
