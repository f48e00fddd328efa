// Listing of the ports with their busy marks, common to both platforms.
#include "link/serial_port.h"

namespace zelvane {

std::vector<std::string> ListSerialPorts() {
  std::vector<std::string> entries;
  for (const std::string& name : SystemPortNames()) {
    PortHandle probe = OpenPort(name);
    entries.push_back(probe ? name : name + kInUseMark);
  }
  return entries;
}

}  // namespace zelvane
