// The command line's words and its output streams as UTF-8 text (the
// lower-row channel captions begin with a Cyrillic letter). One
// implementation per platform.
#pragma once

#include <string>
#include <vector>

namespace zelvane::cli {

// Called once at start, before anything is printed.
void PrepareConsole();

// The words after the program's name, in UTF-8.
std::vector<std::string> CommandWords(int argc, char** argv);

}  // namespace zelvane::cli
