// The decimal-comma text form.
#include <gtest/gtest.h>

#include <clocale>

#include "params/format_value.h"

namespace zelvane {
namespace {

TEST(FormatValue, TwoDecimalsWithComma) {
  struct Case { double value; const char* text; };
  const Case cases[] = {{-11.29f, "-11,29"}, {-0.3f, "-0,30"},   {0.0, "0,00"},
                        {52.5, "52,50"},     {62.000012, "62,00"}, {864.00017, "864,00"},
                        {0.125, "0,13"},     {-0.125, "-0,13"},    {-0.001, "0,00"}};
  for (const Case& c : cases) EXPECT_EQ(FormatValue(c.value), c.text) << c.value;
}

TEST(FormatValue, IgnoresTheProcessLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "C.UTF-8");
  EXPECT_EQ(FormatValue(62.0), "62,00");
  EXPECT_EQ(ParseDecimal("52,5"), 52.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ParseDecimal, AcceptsCommaNumbersOnly) {
  struct Case { const char* text; std::optional<double> value; };
  const Case cases[] = {{"52,5", 52.5}, {"-20", -20.0}, {" 256 ", 256.0}, {"+1,5", 1.5},
                        {"1e2", 100.0}, {"", std::nullopt}, {"-", std::nullopt},
                        {"52.5", std::nullopt}, {"inf", std::nullopt}, {"1,2,3", std::nullopt},
                        {"0x10", std::nullopt}, {"+-3", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace zelvane
