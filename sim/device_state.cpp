// The block a fresh simulated device holds, and picking requests out.
#include "sim/device_state.h"

#include <algorithm>
#include <utility>

namespace zelvane::sim {

ParamBlock DefaultBlock() {
  ParamBlock block{};
  const std::pair<std::size_t, std::uint8_t> bytes[] = {
      {5, 0x01},  {8, 0x08},  {9, 0x20},  {10, 0x02}, {11, 0x84}, {12, 0x38},
      {13, 0xC1}, {14, 0x40}, {15, 0x03}, {19, 0xFF}, {20, 0x0E}, {21, 0x40},
      {22, 0x80}, {25, 0x12}, {26, 0x5E}, {27, 0xD0}, {28, 0x98}};
  for (const auto& [index, value] : bytes) block[index] = value;
  return block;
}

std::vector<Request> OfCommand(std::vector<Request> requests, std::uint8_t command) {
  requests.erase(std::remove_if(requests.begin(), requests.end(),
                                [command](const Request& r) { return r.command != command; }),
                 requests.end());
  return requests;
}

}  // namespace zelvane::sim
