// JSON as the command line writes and reads it (the output of --json and
// the settings file), through nlohmann's library. Members keep the order
// they were added or read in.
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace zelvane::json {

using Value = nlohmann::ordered_json;

// Compact on one line, or indented by two blanks a level for a person.
enum class Layout { OneLine, Indented };

// Text that is not UTF-8 (a port path may be any bytes) is written with
// replacement characters rather than refused.
std::string Serialize(const Value& value, Layout layout);

struct ParseResult {
  std::optional<Value> value;
  std::string error;  // "line 3, column 7: ..." when there is no value
};

// Strict RFC 8259: one value, nothing after it but blanks, and no key twice
// in one object (the library would keep the last and say nothing).
ParseResult Parse(const std::string& text);

// The member named `key` of an object; null pointer when there is none.
const Value* Find(const Value& object, const std::string& key);

// `value`, or null when there is none.
template <typename T>
Value OrNull(const std::optional<T>& value) {
  return value ? Value(*value) : Value();
}

// The whole number `value` is, when it is one: 1 and 1.0 alike.
std::optional<long long> WholeNumber(const Value& value);

}  // namespace zelvane::json
