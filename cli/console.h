// Standard output and error as the command line uses them: UTF-8 text
// (the lower-row channel captions begin with a Cyrillic letter).
#pragma once

namespace zelvane::cli {

// Called once at start. One implementation per platform.
void PrepareConsole();

}  // namespace zelvane::cli
