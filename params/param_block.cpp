// Conversions between the block's bytes and dB and MHz.
#include "params/param_block.h"

#include "params/format_value.h"

namespace zelvane {
namespace {

constexpr long double kMHzPerStep = 1.0L / 4971026.0L;

}  // namespace

double DecodeFrequencyMHz(const ParamBlock& block) {
  std::uint32_t code = 0;
  for (std::size_t i = 0; i < 4; ++i) code = (code << 8) | block[kFrequencyByte + i];
  return static_cast<double>(code * kMHzPerStep);
}

DecodedParameters DecodeParameters(const ParamBlock& block, const LevelCodes& codes) {
  DecodedParameters decoded;
  decoded.levelIndex = MatchLevelCode(block[kLevelCodeByte], codes);
  decoded.levelDb = kLevelTable[decoded.levelIndex];
  decoded.levelText = FormatValue(decoded.levelDb);
  decoded.frequencyText = FormatValue(DecodeFrequencyMHz(block));
  return decoded;
}

void EncodeFrequency(float megahertz, ParamBlock& block) {
  const long double steps = static_cast<long double>(megahertz) * kFrequencyStepsPerMHz;
  const auto code = static_cast<std::uint32_t>(static_cast<unsigned long long>(steps));
  for (std::size_t i = 0; i < 4; ++i) {
    block[kFrequencyByte + i] = static_cast<std::uint8_t>(code >> (8 * (3 - i)));
  }
}

void EncodeLevel(std::size_t levelIndex, const LevelCodes& codes, ParamBlock& block) {
  block[kLevelCodeByte] = codes[levelIndex];
}

}  // namespace zelvane
