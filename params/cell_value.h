// A register cell's text as the byte it stands for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zelvane {

// What a cell's text is read as: "0x0" followed by the text.
constexpr char kCellHexPrefix[] = "0x0";

// The text read as hexadecimal, low 8 bits: "" gives 0, "1FF" gives FF.
// Hex digits only, at most eight significant; anything else (a blank
// included) gives nothing.
std::optional<std::uint8_t> ParseCellByte(const std::string& text);

// A byte as a cell shows it, and as every byte is shown to the user: two
// upper-case hexadecimal digits.
std::string CellText(std::uint8_t byte);

}  // namespace zelvane
