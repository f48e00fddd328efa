// The one text form of levels and frequencies, with the decimal comma,
// written and read without the process locale.
#pragma once

#include <optional>
#include <string>

namespace zelvane {

constexpr char kDecimalSeparator = ',';

// Fixed point, two decimals, halves rounded away from zero: "-11,29", "0,00".
std::string FormatValue(double value);

// A decimal number with ',' as its separator, optionally signed, with
// optional exponent and surrounding blanks; nothing when it is not one.
std::optional<double> ParseDecimal(const std::string& text);

}  // namespace zelvane
