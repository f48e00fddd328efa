// The port list as a front end offers it: each entry with what the system
// knows of the adapter behind it, and what to tell a user whom the system
// refused a port.
#pragma once

#include <string>
#include <vector>

#include "link/serial_port.h"

namespace zelvane {

struct ListedPort {
  std::string entry;        // as ChoosePort and Scan take it, the in-use mark included
  std::string description;  // one line on the adapter; empty when nothing is known
};

// The system's serial ports in the system's order (see ListSerialPorts).
std::vector<ListedPort> ListPorts();

// What the user can do about an open that failed for lack of access;
// empty for any other failure and where the platform cannot tell.
std::string AccessHintFor(const OpenError& error);

}  // namespace zelvane
