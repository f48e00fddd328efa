// The ports a user adds to the system's list through ZELVANE_PORTS, such as
// a pseudo-terminal or one end of a socat pair.
#pragma once

#include <string>
#include <vector>

namespace zelvane {

constexpr char kPortsVariable[] = "ZELVANE_PORTS";
constexpr char kPortListSeparator = ':';

// The paths of a colon-separated list, in its order; a doubled, leading or
// trailing colon names no port.
std::vector<std::string> SplitPortList(const std::string& list);

// The paths that ZELVANE_PORTS names; none when it is not set.
std::vector<std::string> ConfiguredPortPaths();

}  // namespace zelvane
