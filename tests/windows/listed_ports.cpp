// For the window tests under Wine: the ports listed are those the test
// names in ZELVANE_PORTS (colon-separated, as on Linux), not every COM port
// of the Wine prefix. Linked into the test program, this takes the place of
// the system's listing.
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "link/serial_port.h"

namespace zelvane {

std::vector<std::string> SystemPortNames() {
  const char* listed = std::getenv("ZELVANE_PORTS");
  std::vector<std::string> names;
  std::istringstream in(listed ? listed : "");
  for (std::string name; std::getline(in, name, ':');) {
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

}  // namespace zelvane
