// Level codes from the level table.
#include "params/level_table.h"

#include <cmath>
#include <cstdlib>

namespace zelvane {
namespace {

constexpr long double kDbToExponent = 0.05L;  // 10^(dB / 20)
// floor(351 * 10^(-11.29 / 20)) is 95, one below the offset: held at 0.
constexpr float kBelowLowestCode = -1.0f;
constexpr int kCodeMatchDistance = 2;

}  // namespace

LevelCodes BuildLevelCodes() {
  LevelCodes codes{};
  for (std::size_t i = 0; i < kLevelCount; ++i) {
    const double x = kLevelTable[i];
    const double y = static_cast<double>(kDbToExponent * x);
    const double p = std::pow(10.0, y);
    const float a = static_cast<float>(p * kAmplitudeFullScale);
    const float f = std::floor(a);
    float d = f - kAmplitudeCodeOffset;
    if (d == kBelowLowestCode) d = 0.0f;
    codes[i] = static_cast<std::uint8_t>(static_cast<int>(d) & 0xFF);
  }
  return codes;
}

std::size_t MatchLevelCode(std::uint8_t code, const LevelCodes& codes) {
  for (std::size_t i = 0; i < kLevelCount; ++i) {
    if (std::abs(static_cast<int>(codes[i]) - static_cast<int>(code)) < kCodeMatchDistance) {
      return i;
    }
  }
  return 0;
}

}  // namespace zelvane
