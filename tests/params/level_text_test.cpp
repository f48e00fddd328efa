// Typed level values and the slider position they select.
#include <gtest/gtest.h>

#include "params/level_text.h"

namespace zelvane {
namespace {

TEST(LevelPositionForText, TypedValues) {
  struct Case { const char* typed; std::optional<std::size_t> position; };
  const Case cases[] = {
      {"-11,29", 0},           {"-11.29", 0},  {"-20", 0},     {"-11,3", 0},
      {"0", 24},               {"0,5", 24},    {"254", 24},    {"256", 24},
      {"255", std::nullopt},   {"", std::nullopt}, {"-", std::nullopt},
      {"-2", 19},              {"-9,9", 3},    {"-9,95", std::nullopt},
      {"-2,7", 17},            {"-0,1", 23},   {"-0,01", 23},  {"-3.5", 16},
      {"+-3", std::nullopt},   {"+3", 24},
      // Beyond double's range a text is no number; beyond float's it clamps.
      {"1e400", std::nullopt}, {"-1e400", std::nullopt}, {"1e-400", std::nullopt},
      {"1e39", 24},            {"-1e39", 0},   {"1e300", 24},
  };
  for (const Case& c : cases) EXPECT_EQ(LevelPositionForText(c.typed), c.position) << c.typed;
}

TEST(LevelTextForPosition, TableValuesInTextForm) {
  EXPECT_EQ(LevelTextForPosition(0), "-11,29");
  EXPECT_EQ(LevelTextForPosition(17), "-3,00");
  EXPECT_EQ(LevelTextForPosition(24), "0,00");
}

}  // namespace
}  // namespace zelvane
