// Register cell texts.
#include <gtest/gtest.h>

#include "params/cell_value.h"

namespace zelvane {
namespace {

TEST(ParseCellByte, HexTextToItsLowByte) {
  struct Case { const char* text; std::optional<std::uint8_t> byte; };
  const Case cases[] = {{"0E", 0x0E}, {"ff", 0xFF},  {"", 0},   {"1FF", 0xFF},
                        {"00000000012", 0x12}, {"FFFFFFFF", 0xFF}, {"123456789", std::nullopt},
                        {"G1", std::nullopt},  {" ", std::nullopt}, {"1 ", std::nullopt},
                        {"-1", std::nullopt},  {"0x1", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ParseCellByte(c.text), c.byte) << '"' << c.text << '"';
}

}  // namespace
}  // namespace zelvane
