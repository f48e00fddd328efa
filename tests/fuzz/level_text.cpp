// Text typed into the level edit: it selects one of the 25 positions or
// leaves the slider where it is. A position is never far from the number
// typed, a level typed exactly selects itself, and the text the slider
// then writes in place of the typed one selects that same position, so
// that the edit settles.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "params/format_value.h"
#include "params/level_table.h"
#include "params/level_text.h"

namespace {

using namespace zelvane;

// A position lies within 0.3 dB of the typed level rounded down to the
// device's amplitude steps, which are below 0.1 dB apart in the range.
constexpr float kFarthestDb = 0.4f;
// Typed, it changes nothing, like text that is no number.
constexpr float kNoLevel = 255.0f;

// The typed number as a 32-bit float; nothing for text that is no number.
std::optional<float> TypedNumber(std::string text) {
  std::replace(text.begin(), text.end(), '.', kDecimalSeparator);
  const std::optional<double> value = ParseDecimal(text);
  if (!value) return std::nullopt;
  constexpr double kFloatMax = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(*value, -kFloatMax, kFloatMax));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string typed(reinterpret_cast<const char*>(data), size);
  const std::optional<std::size_t> position = LevelPositionForText(typed);
  const std::optional<float> number = TypedNumber(typed);
  if (!number || *number == kNoLevel) {
    FUZZ_CHECK(!position);
    return 0;
  }
  const float level = std::clamp(*number, kLevelTable.front(), kLevelTable.back());
  const auto exact = std::find(kLevelTable.begin(), kLevelTable.end(), level);
  if (exact != kLevelTable.end()) {
    FUZZ_CHECK(position == static_cast<std::size_t>(exact - kLevelTable.begin()));
  }
  if (!position) return 0;
  FUZZ_CHECK(*position < kLevelCount);
  FUZZ_CHECK(std::fabs(kLevelTable[*position] - level) < kFarthestDb);
  FUZZ_CHECK(LevelPositionForText(LevelTextForPosition(*position)) == position);
  return 0;
}
