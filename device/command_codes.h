// Command codes and request body lengths of the device's protocol.
#pragma once

#include <cstdint>

namespace zelvane {

constexpr std::uint8_t kModuleListAddress = 253;

constexpr std::uint8_t kCmdModules = 1;  // module list at 253, revision at a module
constexpr std::uint8_t kCmdWriteParamBlock = 2;
constexpr std::uint8_t kCmdReadParamBlock = 3;
constexpr std::uint8_t kCmdWriteCountryIndex = 4;
constexpr std::uint8_t kCmdReadCountryIndex = 5;
constexpr std::uint8_t kCmdSetModulation = 6;
constexpr std::uint8_t kCmdReadModulation = 7;

constexpr std::uint8_t kListModulesLength = 2;
constexpr std::uint8_t kReadRevisionLength = 4;
constexpr std::uint8_t kWriteParamBlockLength = 34;
constexpr std::uint8_t kReadParamBlockLength = 2;
constexpr std::uint8_t kWriteCountryIndexLength = 6;
constexpr std::uint8_t kReadCountryIndexLength = 4;
constexpr std::uint8_t kSetModulationLength = 3;
constexpr std::uint8_t kReadModulationLength = 4;

}  // namespace zelvane
