// Level codes and the block's conversions, from the device's own figures.
#include <gtest/gtest.h>

#include "params/param_block.h"

namespace zelvane {
namespace {

ParamBlock WithFrequencyBytes(std::array<std::uint8_t, 4> bytes) {
  ParamBlock block{};
  std::copy(bytes.begin(), bytes.end(), block.begin() + kFrequencyByte);
  return block;
}

TEST(BuildLevelCodes, YieldsTheDeviceTable) {
  const LevelCodes expected = {0,   2,   8,   14,  21,  28,  35,  43,  52,  60,  70,  79, 90,
                               101, 113, 125, 138, 152, 167, 182, 199, 216, 235, 243, 255};
  EXPECT_EQ(BuildLevelCodes(), expected);
}

TEST(DecodeParameters, LevelCodeTakesTheFirstEntryWithinOne) {
  struct Case { std::uint8_t code; std::size_t entry; const char* text; };
  const Case cases[] = {{0, 0, "-11,29"}, {1, 0, "-11,29"}, {3, 1, "-11,00"}, {5, 0, "-11,29"},
                        {244, 23, "-0,30"}, {254, 24, "0,00"}, {255, 24, "0,00"}};
  const LevelCodes codes = BuildLevelCodes();
  for (const Case& c : cases) {
    ParamBlock block{};
    block[kLevelCodeByte] = c.code;
    const DecodedParameters decoded = DecodeParameters(block, codes);
    EXPECT_EQ(decoded.levelIndex, c.entry) << int(c.code);
    EXPECT_EQ(decoded.levelText, c.text) << int(c.code);
  }
}

TEST(DecodeParameters, FrequencyText) {
  struct Case { std::array<std::uint8_t, 4> bytes; const char* text; };
  const Case cases[] = {{{0x12, 0x5E, 0xD0, 0x98}, "62,00"},
                        {{0x00, 0x00, 0x00, 0x00}, "0,00"},
                        {{0xFF, 0xFF, 0xFF, 0xFF}, "864,00"}};
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeParameters(WithFrequencyBytes(c.bytes), BuildLevelCodes()).frequencyText,
              c.text);
  }
}

TEST(EncodeFrequency, TruncatesBigEndianAndDecodesBack) {
  struct Case { float mhz; std::array<std::uint8_t, 4> bytes; const char* text; };
  const Case cases[] = {{52.5f, {0x0F, 0x8E, 0x38, 0xB1}, "52,50"},
                        {62.0f, {0x12, 0x5E, 0xD0, 0x5C}, "62,00"},
                        {858.0f, {0xFE, 0x38, 0xE0, 0x54}, "858,00"}};
  for (const Case& c : cases) {
    ParamBlock block{};
    block.fill(0x77);
    EncodeFrequency(c.mhz, block);
    ParamBlock expected{};
    expected.fill(0x77);
    std::copy(c.bytes.begin(), c.bytes.end(), expected.begin() + kFrequencyByte);
    EXPECT_EQ(block, expected) << c.mhz;
    EXPECT_EQ(DecodeParameters(block, BuildLevelCodes()).frequencyText, c.text);
  }
}

TEST(EncodeLevel, WritesOnlyTheLevelByte) {
  ParamBlock block{};
  block.fill(0x33);
  EncodeLevel(24, BuildLevelCodes(), block);
  EXPECT_EQ(block[kLevelCodeByte], 255);
  EncodeLevel(0, BuildLevelCodes(), block);
  EXPECT_EQ(block[kLevelCodeByte], 0);
  block[kLevelCodeByte] = 0x33;
  EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0x33; }));
}

}  // namespace
}  // namespace zelvane
