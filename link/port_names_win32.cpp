// The COM ports that Windows knows, from its DOS device names. In a file of
// its own so that a test program can list ports of its choosing instead.
#include <windows.h>

#include <string>
#include <vector>

#include "link/serial_port.h"

namespace zelvane {
namespace {

constexpr char kComPrefix[] = "COM";
constexpr std::size_t kComPrefixLength = 3;
constexpr DWORD kDosDeviceBufferSize = 65535;

}  // namespace

std::vector<std::string> SystemPortNames() {
  std::vector<char> buffer(kDosDeviceBufferSize);
  const DWORD length = QueryDosDeviceA(nullptr, buffer.data(), kDosDeviceBufferSize);
  std::vector<std::string> names;
  // Each name ends with a zero byte; an empty name closes the list.
  for (DWORD i = 0; i < length && buffer[i] != '\0';) {
    const std::string name(&buffer[i]);
    if (name.size() > kComPrefixLength && name.compare(0, kComPrefixLength, kComPrefix) == 0) {
      names.push_back(name);
    }
    i += static_cast<DWORD>(name.size()) + 1;
  }
  return names;
}

}  // namespace zelvane
