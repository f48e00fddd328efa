// Listing probes every port, so it runs where the session's port is not
// held by a workflow: at start-up, or after the port was closed.
#include "session/port_list.h"

#include "link/port_description.h"

namespace zelvane {

std::vector<ListedPort> ListPorts() {
  std::vector<ListedPort> ports;
  for (const std::string& entry : ListSerialPorts()) {
    ports.push_back({entry, DescriptionText(DescribeEntry(entry))});
  }
  return ports;
}

std::string AccessHintFor(const OpenError& error) {
  return error.reason == OpenFailure::AccessDenied ? AccessHint() : std::string();
}

}  // namespace zelvane
