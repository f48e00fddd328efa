// The level controls' rules: from a typed level text to a slider position,
// and from a position to its text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zelvane {

// The position a typed level selects, or nothing when the text leaves the
// slider where it is: text that is no number (or is 255), and values that
// come within 0.3 dB of no level after rounding to the device's steps.
// '.' is taken as ',' so both separators are accepted.
std::optional<std::size_t> LevelPositionForText(const std::string& text);

// "-11,29" for position 0, "-3,00" for 17, "0,00" for 24.
std::string LevelTextForPosition(std::size_t position);

}  // namespace zelvane
