// Building JSON values and writing them out.
#include "cli/json_value.h"

#include <cmath>
#include <cstdio>

namespace zelvane::json {
namespace {

// Whole numbers up to 2^53 are exact in a double and are written as such.
constexpr double kLargestExactInteger = 9007199254740992.0;
constexpr char kIndent[] = "  ";

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[7];
          std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(c));
          out += escape;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string NumberText(double number) {
  char text[32];
  if (std::trunc(number) == number && std::fabs(number) <= kLargestExactInteger) {
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(number));
  } else {
    std::snprintf(text, sizeof text, "%.17g", number);
  }
  return text;
}

void Write(const Value& value, Layout layout, int depth, std::string& out);

// Opens a line at `depth` between the items of an indented container.
void Break(Layout layout, int depth, std::string& out) {
  if (layout == Layout::OneLine) return;
  out += '\n';
  for (int i = 0; i < depth; ++i) out += kIndent;
}

template <typename Items, typename WriteItem>
void WriteContainer(const Items& items, char open, char close, Layout layout, int depth,
                    std::string& out, WriteItem writeItem) {
  out += open;
  bool first = true;
  for (const auto& item : items) {
    if (!first) out += layout == Layout::OneLine ? ", " : ",";
    first = false;
    Break(layout, depth + 1, out);
    writeItem(item);
  }
  if (!items.empty()) Break(layout, depth, out);
  out += close;
}

void Write(const Value& value, Layout layout, int depth, std::string& out) {
  switch (value.kind()) {
    case Value::Kind::Null: out += "null"; break;
    case Value::Kind::Boolean: out += value.AsBoolean() ? "true" : "false"; break;
    case Value::Kind::Number: out += NumberText(value.AsNumber()); break;
    case Value::Kind::String: out += Quoted(value.AsString()); break;
    case Value::Kind::Array:
      WriteContainer(value.AsArray(), '[', ']', layout, depth, out,
                     [&](const Value& element) { Write(element, layout, depth + 1, out); });
      break;
    case Value::Kind::Object:
      WriteContainer(value.AsObject(), '{', '}', layout, depth, out,
                     [&](const std::pair<std::string, Value>& member) {
                       out += Quoted(member.first) + ": ";
                       Write(member.second, layout, depth + 1, out);
                     });
      break;
  }
}

}  // namespace

Value Value::Boolean(bool value) {
  Value v;
  v.kind_ = Kind::Boolean;
  v.boolean_ = value;
  return v;
}

Value Value::Number(double value) {
  Value v;
  v.kind_ = Kind::Number;
  v.number_ = value;
  return v;
}

Value Value::String(std::string value) {
  Value v;
  v.kind_ = Kind::String;
  v.string_ = std::move(value);
  return v;
}

Value Value::Array(std::vector<Value> elements) {
  Value v;
  v.kind_ = Kind::Array;
  v.elements_ = std::move(elements);
  return v;
}

Value Value::Object(Members members) {
  Value v;
  v.kind_ = Kind::Object;
  v.members_ = std::move(members);
  return v;
}

Value Value::NumberOrNull(const std::optional<int>& value) {
  return value ? Number(*value) : Value();
}

Value Value::StringOrNull(const std::optional<std::string>& value) {
  return value ? String(*value) : Value();
}

std::optional<long long> Value::AsInteger() const {
  if (kind_ != Kind::Number || std::trunc(number_) != number_ ||
      std::fabs(number_) > kLargestExactInteger) {
    return std::nullopt;
  }
  return static_cast<long long>(number_);
}

const Value* Value::Find(const std::string& key) const {
  for (const auto& [name, value] : members_) {
    if (name == key) return &value;
  }
  return nullptr;
}

std::string Serialize(const Value& value, Layout layout) {
  std::string out;
  Write(value, layout, 0, out);
  return out;
}

}  // namespace zelvane::json
