// The commands: ports, read, write, save and load, each on a session of its
// own; the result goes to `out`, progress and failures to `err`.
#pragma once

#include <ostream>

#include "cli/arguments.h"
#include "cli/values.h"

namespace zelvane::cli {

// The exit code (exit_codes.h). `changes` are the parsed values of write.
int RunCommand(const Invocation& invocation, const SettingsChange& changes, std::ostream& out,
               std::ostream& err);

}  // namespace zelvane::cli
