// Recursive descent over the text, with a bound on the nesting so that a
// hostile file cannot exhaust the stack.
#include "cli/json_parser.h"

#include <charconv>
#include <cstdint>

namespace zelvane::json {
namespace {

constexpr int kMaxDepth = 64;
constexpr unsigned kHighSurrogateFirst = 0xD800;
constexpr unsigned kLowSurrogateFirst = 0xDC00;
constexpr unsigned kSurrogateEnd = 0xE000;

class Parser {
 public:
  explicit Parser(const std::string& text) : text_(text) {}

  ParseResult Run() {
    ParseResult result;
    SkipBlanks();
    std::optional<Value> value = ParseValue(0);
    if (value) {
      SkipBlanks();
      if (pos_ != text_.size()) {
        Fail("unexpected text after the value");
      } else {
        result.value = std::move(value);
      }
    }
    if (!result.value) result.error = error_;
    return result;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

  std::optional<Value> Fail(const std::string& what) {
    if (error_.empty()) {
      std::size_t line = 1, column = 1;
      for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) {
        if (text_[i] == '\n') {
          ++line;
          column = 1;
        } else {
          ++column;
        }
      }
      error_ = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
    }
    return std::nullopt;
  }

  void SkipBlanks() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) ++pos_;
  }

  bool Consume(const char* word) {
    const std::string w(word);
    if (text_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }

  std::optional<Value> ParseValue(int depth) {
    if (depth > kMaxDepth) return Fail("nested too deeply");
    switch (Peek()) {
      case '{': return ParseObject(depth);
      case '[': return ParseArray(depth);
      case '"': {
        std::optional<std::string> text = ParseString();
        if (!text) return std::nullopt;
        return Value::String(std::move(*text));
      }
      case 't': if (Consume("true")) return Value::Boolean(true); break;
      case 'f': if (Consume("false")) return Value::Boolean(false); break;
      case 'n': if (Consume("null")) return Value(); break;
      default:
        if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9')) return ParseNumber();
    }
    return Fail(AtEnd() ? "the text ends where a value should be" : "expected a value");
  }

  std::optional<Value> ParseObject(int depth) {
    ++pos_;  // '{'
    Value::Members members;
    SkipBlanks();
    if (Peek() == '}') {
      ++pos_;
      return Value::Object(std::move(members));
    }
    for (;;) {
      SkipBlanks();
      if (Peek() != '"') return Fail("expected a key in double quotes");
      std::optional<std::string> key = ParseString();
      if (!key) return std::nullopt;
      for (const auto& member : members) {
        if (member.first == *key) return Fail("the key \"" + *key + "\" appears twice");
      }
      SkipBlanks();
      if (Peek() != ':') return Fail("expected ':'");
      ++pos_;
      SkipBlanks();
      std::optional<Value> value = ParseValue(depth + 1);
      if (!value) return std::nullopt;
      members.emplace_back(std::move(*key), std::move(*value));
      SkipBlanks();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      if (Peek() == '}') {
        ++pos_;
        return Value::Object(std::move(members));
      }
      return Fail("expected ',' or '}'");
    }
  }

  std::optional<Value> ParseArray(int depth) {
    ++pos_;  // '['
    std::vector<Value> elements;
    SkipBlanks();
    if (Peek() == ']') {
      ++pos_;
      return Value::Array(std::move(elements));
    }
    for (;;) {
      SkipBlanks();
      std::optional<Value> value = ParseValue(depth + 1);
      if (!value) return std::nullopt;
      elements.push_back(std::move(*value));
      SkipBlanks();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      if (Peek() == ']') {
        ++pos_;
        return Value::Array(std::move(elements));
      }
      return Fail("expected ',' or ']'");
    }
  }

  bool Digits() {
    const std::size_t start = pos_;
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') ++pos_;
    return pos_ > start;
  }

  std::optional<Value> ParseNumber() {
    const std::size_t start = pos_;
    if (Peek() == '-') ++pos_;
    if (Peek() == '0') {
      ++pos_;
    } else if (!Digits()) {
      return Fail("expected digits");
    }
    if (Peek() == '.') {
      ++pos_;
      if (!Digits()) return Fail("expected digits after '.'");
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (!Digits()) return Fail("expected digits in the exponent");
    }
    double number = 0;
    const auto [end, error] = std::from_chars(text_.data() + start, text_.data() + pos_, number);
    if (error != std::errc() || end != text_.data() + pos_) {
      pos_ = start;
      return Fail("number out of range");
    }
    return Value::Number(number);
  }

  std::optional<unsigned> HexQuad() {
    if (pos_ + 4 > text_.size()) return std::nullopt;
    unsigned code = 0;
    const auto [end, error] = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16);
    if (error != std::errc() || end != text_.data() + pos_ + 4) return std::nullopt;
    pos_ += 4;
    return code;
  }

  static void AppendUtf8(unsigned code, std::string& out) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  // After "\u": one code point, a surrogate pair taken together.
  bool ParseUnicodeEscape(std::string& out) {
    std::optional<unsigned> code = HexQuad();
    if (!code) return false;
    if (*code >= kLowSurrogateFirst && *code < kSurrogateEnd) return false;
    if (*code >= kHighSurrogateFirst && *code < kLowSurrogateFirst) {
      if (!Consume("\\u")) return false;
      const std::optional<unsigned> low = HexQuad();
      if (!low || *low < kLowSurrogateFirst || *low >= kSurrogateEnd) return false;
      code = 0x10000 + ((*code - kHighSurrogateFirst) << 10) + (*low - kLowSurrogateFirst);
    }
    AppendUtf8(*code, out);
    return true;
  }

  std::optional<std::string> ParseString() {
    ++pos_;  // '"'
    std::string out;
    for (;;) {
      if (AtEnd()) {
        Fail("the text ends inside a string");
        return std::nullopt;
      }
      const char c = text_[pos_];
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (static_cast<unsigned char>(c) < 0x20) {
        Fail("a control character inside a string");
        return std::nullopt;
      }
      ++pos_;
      if (c != '\\') {
        out += c;
        continue;
      }
      const char escape = Peek();
      ++pos_;
      switch (escape) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u':
          if (ParseUnicodeEscape(out)) break;
          Fail("a bad \\u escape");
          return std::nullopt;
        default:
          --pos_;
          Fail("a bad escape");
          return std::nullopt;
      }
    }
  }

  const std::string& text_;
  std::size_t pos_ = 0;
  std::string error_;
};

}  // namespace

ParseResult Parse(const std::string& text) { return Parser(text).Run(); }

}  // namespace zelvane::json
