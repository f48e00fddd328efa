// For the window tests under Wine: the ports listed are those the test
// names in ZELVANE_PORTS (colon-separated, as on Linux), not every COM port
// of the Wine prefix. Linked into the test program, this takes the place of
// the system's listing.
#include "link/port_list.h"
#include "link/serial_port.h"

namespace zelvane {

std::vector<std::string> SystemPortNames() { return ConfiguredPortPaths(); }

}  // namespace zelvane
