// A JSON value as the command line writes and reads it: the output of
// --json and the settings file.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelvane::json {

class Value {
 public:
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  // Members keep the order they were added or read in.
  using Members = std::vector<std::pair<std::string, Value>>;

  Value() = default;  // null
  static Value Boolean(bool value);
  static Value Number(double value);
  static Value String(std::string value);
  static Value Array(std::vector<Value> elements);
  static Value Object(Members members);
  // A number, or null when there is none.
  static Value NumberOrNull(const std::optional<int>& value);
  // A string, or null when there is none.
  static Value StringOrNull(const std::optional<std::string>& value);

  Kind kind() const { return kind_; }
  bool AsBoolean() const { return boolean_; }
  double AsNumber() const { return number_; }
  const std::string& AsString() const { return string_; }
  const std::vector<Value>& AsArray() const { return elements_; }
  const Members& AsObject() const { return members_; }

  // The whole number this is, when it is one.
  std::optional<long long> AsInteger() const;
  // The member named `key` of an object; null pointer when there is none.
  const Value* Find(const std::string& key) const;

 private:
  Kind kind_ = Kind::Null;
  bool boolean_ = false;
  double number_ = 0;
  std::string string_;
  std::vector<Value> elements_;
  Members members_;
};

// Compact on one line, or indented by two blanks a level for a person.
enum class Layout { OneLine, Indented };

std::string Serialize(const Value& value, Layout layout);

}  // namespace zelvane::json
