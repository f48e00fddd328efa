// A strict JSON reader (RFC 8259): one value, nothing after it but blanks,
// no duplicate keys; a fault is told with its line and column.
#pragma once

#include <optional>
#include <string>

#include "cli/json_value.h"

namespace zelvane::json {

struct ParseResult {
  std::optional<Value> value;
  std::string error;  // "line 3, column 7: expected ':'" when there is no value
};

ParseResult Parse(const std::string& text);

}  // namespace zelvane::json
