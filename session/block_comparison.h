// What a verification found: each byte of the block that the device holds
// otherwise than it was written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "params/param_block.h"

namespace zelvane {

struct ByteDifference {
  std::size_t offset = 0;
  std::uint8_t written = 0;
  std::uint8_t held = 0;

  bool operator==(const ByteDifference& other) const {
    return offset == other.offset && written == other.written && held == other.held;
  }
};

// The differing bytes in the order of the block; empty when they agree.
std::vector<ByteDifference> CompareBlocks(const ParamBlock& written, const ParamBlock& held);

}  // namespace zelvane
