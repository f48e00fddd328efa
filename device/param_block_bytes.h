// The device's 29-byte parameter block as the block commands carry it: one
// type for it in the commands, the parameter model and the simulator.
#pragma once

#include <array>
#include <cstdint>

namespace zelvane {

constexpr std::uint8_t kParamBlockSize = 29;

using ParamBlock = std::array<std::uint8_t, kParamBlockSize>;

}  // namespace zelvane
