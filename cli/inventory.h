// devices: every listed port identified at once, each on a session and a
// thread of its own, so that the whole takes as long as the slowest port.
#pragma once

#include <ostream>

#include "cli/arguments.h"
#include "cli/line_writer.h"

namespace zelvane::cli {

// One row a port (or with --json one array): the port, its adapter where
// known, and the device on it or why there is none. 0 when any port holds
// a device, else 1.
int Inventory(const Invocation& invocation, std::ostream& out, LineWriter& err);

}  // namespace zelvane::cli
