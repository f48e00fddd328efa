// The modulation values of the set and read commands, and the QAM order
// each stands for.
#pragma once

#include <cstdint>
#include <optional>

namespace zelvane {

constexpr std::uint8_t kModulationQam32 = 0;
constexpr std::uint8_t kModulationQam64 = 1;

constexpr int kQam32 = 32;
constexpr int kQam64 = 64;

// 32 or 64; nothing for a value that stands for neither.
constexpr std::optional<int> QamOrder(std::uint8_t modulation) {
  if (modulation == kModulationQam32) return kQam32;
  if (modulation == kModulationQam64) return kQam64;
  return std::nullopt;
}

// The value that sets QAM `order`; nothing for an order the device lacks.
constexpr std::optional<std::uint8_t> ModulationForQam(int order) {
  if (order == kQam32) return kModulationQam32;
  if (order == kQam64) return kModulationQam64;
  return std::nullopt;
}

}  // namespace zelvane
