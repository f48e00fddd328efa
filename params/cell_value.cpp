// Hexadecimal cell texts.
#include "params/cell_value.h"

#include <cctype>
#include <cstdio>

namespace zelvane {
namespace {
constexpr std::size_t kMaxSignificantDigits = 8;
}  // namespace

std::optional<std::uint8_t> ParseCellByte(const std::string& text) {
  std::uint32_t value = 0;
  std::size_t significant = 0;
  for (const char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    const auto digit = static_cast<std::uint32_t>(
        std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10);
    if (value == 0 && digit == 0) continue;  // leading zeros are not significant
    if (++significant > kMaxSignificantDigits) return std::nullopt;
    value = (value << 4) | digit;
  }
  return static_cast<std::uint8_t>(value & 0xFFU);
}

std::string CellText(std::uint8_t byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

}  // namespace zelvane
