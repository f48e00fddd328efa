// Typed level texts to slider positions.
#include "params/level_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "params/format_value.h"
#include "params/level_table.h"

namespace zelvane {
namespace {

// What an unreadable text counts as, and a value that changes nothing.
constexpr float kNoLevel = 255.0f;
constexpr double kQuantisationBoundDb = 0.3;
constexpr double kHundredth = 0.01;

// The level the device really produces for `db`: the amplitude truncated
// to whole steps, back in dB to two decimals (ties to even).
double QuantiseToDeviceStep(float db) {
  const float amplitude = static_cast<float>(kAmplitudeFullScale * std::pow(10.0, db / 20.0));
  const double steps = std::trunc(amplitude);
  const double quantised = 20.0 * std::log10(steps / kAmplitudeFullScale);
  return std::nearbyint(quantised / kHundredth) * kHundredth;
}

}  // namespace

std::optional<std::size_t> LevelPositionForText(const std::string& typed) {
  std::string text = typed;
  std::replace(text.begin(), text.end(), '.', kDecimalSeparator);
  const std::optional<double> parsed = ParseDecimal(text);
  // A number beyond the float range clamps like any other; converting it to
  // float unclamped would be undefined.
  constexpr double kFloatMax = std::numeric_limits<float>::max();
  float v = parsed ? static_cast<float>(std::clamp(*parsed, -kFloatMax, kFloatMax)) : kNoLevel;
  if (v == kNoLevel) return std::nullopt;
  v = std::clamp(v, kLevelTable.front(), kLevelTable.back());

  const auto exact = std::find(kLevelTable.begin(), kLevelTable.end(), v);
  if (exact != kLevelTable.end()) return exact - kLevelTable.begin();

  // The first level in table order within the bound wins, not the nearest;
  // a level equal to the quantised value is skipped.
  const double q = QuantiseToDeviceStep(v);
  for (std::size_t j = 0; j < kLevelCount; ++j) {
    const auto distance = static_cast<float>(std::fabs(kLevelTable[j] - q));
    if (distance > 0 && distance < kQuantisationBoundDb) return j;
  }
  return std::nullopt;
}

std::string LevelTextForPosition(std::size_t position) {
  return FormatValue(kLevelTable[position]);
}

}  // namespace zelvane
