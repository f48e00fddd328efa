// The device's 29-byte parameter block: the level code at byte 19, the
// frequency code big-endian in bytes 25 to 28, every other byte carried
// unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "device/param_block_bytes.h"
#include "params/level_table.h"

namespace zelvane {

constexpr std::size_t kBlockSize = kParamBlockSize;
constexpr std::size_t kLevelCodeByte = 19;
constexpr std::size_t kFrequencyByte = 25;

// The frequency code counts steps of 1 / 4971026 MHz.
constexpr float kFrequencyStepsPerMHz = 4971026.0f;

struct DecodedParameters {
  std::size_t levelIndex = 0;
  float levelDb = kLevelTable[0];
  std::string levelText;      // FormatValue of the level
  std::string frequencyText;  // the installed frequency, "62,00"
};

DecodedParameters DecodeParameters(const ParamBlock& block, const LevelCodes& codes);
double DecodeFrequencyMHz(const ParamBlock& block);

void EncodeFrequency(float megahertz, ParamBlock& block);
void EncodeLevel(std::size_t levelIndex, const LevelCodes& codes, ParamBlock& block);

}  // namespace zelvane
