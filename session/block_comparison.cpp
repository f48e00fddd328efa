// Byte for byte, written against held.
#include "session/block_comparison.h"

namespace zelvane {

std::vector<ByteDifference> CompareBlocks(const ParamBlock& written, const ParamBlock& held) {
  std::vector<ByteDifference> differences;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] != held[i]) differences.push_back({i, written[i], held[i]});
  }
  return differences;
}

}  // namespace zelvane
