// Hexadecimal cell texts.
#include "params/cell_value.h"

#include <charconv>
#include <cstdio>

namespace zelvane {

std::optional<std::uint8_t> ParseCellByte(const std::string& text) {
  if (text.empty()) return 0;
  // Hex digits only, no sign or prefix, and no more than 32 bits' worth.
  std::uint32_t value = 0;
  const char* last = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), last, value, 16);
  if (error != std::errc() || stop != last) return std::nullopt;
  return static_cast<std::uint8_t>(value & 0xFFU);
}

std::string CellText(std::uint8_t byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

}  // namespace zelvane
