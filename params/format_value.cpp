// Decimal-comma formatting and parsing.
#include "params/format_value.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace zelvane {

std::string FormatValue(double value) {
  // A double times 100 is exact in extended precision, so the rounding sees
  // the true value and only real halves go away from zero.
  const long double hundredths = std::round(static_cast<long double>(value) * 100.0L);
  const bool negative = hundredths < 0;
  const auto magnitude = static_cast<unsigned long long>(std::fabs(hundredths));
  char text[48];
  std::snprintf(text, sizeof text, "%s%llu%c%02llu", negative ? "-" : "", magnitude / 100,
                kDecimalSeparator, magnitude % 100);
  return text;
}

std::optional<double> ParseDecimal(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  std::string number = text.substr(begin, end - begin);
  // One sign at most: from_chars takes a '-' but no '+', so "+-3" must not
  // reach it as "-3".
  if (!number.empty() && number[0] == '+') {
    number.erase(0, 1);
    if (!number.empty() && number[0] == '-') return std::nullopt;
  }
  for (char& c : number) {
    // Digits, sign, exponent and the comma only: no "inf", no '.'.
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '-' && c != '+' && c != 'e' &&
        c != 'E' && c != kDecimalSeparator) {
      return std::nullopt;
    }
    if (c == kDecimalSeparator) c = '.';
  }
  double value = 0;
  const char* first = number.data();
  const char* last = first + number.size();
  const auto [stop, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error != std::errc() || stop != last || number.empty()) return std::nullopt;
  return value;
}

}  // namespace zelvane
