// The ZELVANE_PORTS list, the same on both platforms.
#include "link/port_list.h"

#include <algorithm>
#include <cstdlib>

namespace zelvane {

std::vector<std::string> SplitPortList(const std::string& list) {
  std::vector<std::string> paths;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(kPortListSeparator, start), list.size());
    if (end > start) paths.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return paths;
}

std::vector<std::string> ConfiguredPortPaths() {
  const char* value = std::getenv(kPortsVariable);
  return value != nullptr ? SplitPortList(value) : std::vector<std::string>{};
}

}  // namespace zelvane
