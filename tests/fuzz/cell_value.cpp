// Text typed into a register cell: read as hexadecimal and cut to its low
// 8 bits, or refused; a byte shown in a cell reads back as itself.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "params/cell_value.h"

namespace {

constexpr std::size_t kMaxSignificantDigits = 8;

// The same rule written the plain way: hex digits only, at most eight
// after the leading zeros; the empty text is 0.
std::optional<std::uint8_t> ExpectedByte(const std::string& text) {
  for (const char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  const std::size_t first = text.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  if (text.size() - first > kMaxSignificantDigits) return std::nullopt;
  const std::string low = text.substr(text.size() - std::min<std::size_t>(2, text.size()));
  return static_cast<std::uint8_t>(std::stoul(low, nullptr, 16));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelvane;
  const std::string typed(reinterpret_cast<const char*>(data), size);
  const std::optional<std::uint8_t> byte = ParseCellByte(typed);
  FUZZ_CHECK(byte == ExpectedByte(typed));
  if (byte) {
    const std::string shown = CellText(*byte);
    FUZZ_CHECK(shown.size() == 2 && ParseCellByte(shown) == byte);
    FUZZ_CHECK(shown.find_first_of("abcdef") == std::string::npos);
  }
  return 0;
}
