// The library's SAX parser builds the value here, so that a repeated key
// can be refused where it stands; the input is read through an iterator
// that counts, because the library tells positions of its own faults only.
#include "cli/json.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <set>
#include <vector>

namespace zelvane::json {
namespace {

constexpr int kIndent = 2;
// Whole numbers up to 2^53 are exact in a double.
constexpr std::uint64_t kLargestExactInteger = 9007199254740992;

// A pointer into the text that keeps count of how far the parser has read.
class CountingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  CountingIterator(const char* at, std::size_t* read) : at_(at), read_(read) {}
  reference operator*() const { return *at_; }
  CountingIterator& operator++() {
    ++at_;
    ++*read_;
    return *this;
  }
  CountingIterator operator++(int) {
    CountingIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const CountingIterator& other) const { return at_ == other.at_; }
  bool operator!=(const CountingIterator& other) const { return at_ != other.at_; }

 private:
  const char* at_;
  std::size_t* read_;
};

std::string At(const std::string& text, std::size_t offset, const std::string& what) {
  std::size_t line = 1, column = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
}

// The opening quote of the string whose closing quote is at `close`: the
// first quote before it with an even run of backslashes before that.
std::size_t OpeningQuote(const std::string& text, std::size_t close) {
  for (std::size_t i = close; i-- > 0;) {
    if (text[i] != '"') continue;
    std::size_t slashes = 0;
    while (slashes < i && text[i - 1 - slashes] == '\\') ++slashes;
    if (slashes % 2 == 0) return i;
  }
  return 0;
}

// Builds the value as the library's own DOM parser would, with one set of
// keys for each object that is open.
class Builder : public nlohmann::json_sax<Value> {
 public:
  Builder(const std::string& text, const std::size_t& read) : text_(text), read_(read) {}

  bool null() override { return Put(Value()); }
  bool boolean(bool value) override { return Put(value); }
  bool number_integer(number_integer_t value) override { return Put(value); }
  bool number_unsigned(number_unsigned_t value) override { return Put(value); }
  bool number_float(number_float_t value, const string_t&) override { return Put(value); }
  bool string(string_t& value) override { return Put(value); }
  bool binary(binary_t& value) override { return Put(Value::binary(value)); }

  bool start_object(std::size_t) override {
    open_.push_back(Place(Value::object()));
    keys_.emplace_back();
    return true;
  }
  bool key(string_t& key) override {
    if (!keys_.back().insert(key).second) {
      // The parser has just read the key's closing quote.
      error_ = At(text_, OpeningQuote(text_, read_ - 1), "the key \"" + key + "\" is given twice");
      return false;
    }
    key_ = key;
    return true;
  }
  bool end_object() override {
    keys_.pop_back();
    open_.pop_back();
    return true;
  }
  bool start_array(std::size_t) override {
    open_.push_back(Place(Value::array()));
    return true;
  }
  bool end_array() override {
    open_.pop_back();
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& fault) override {
    error_ = Fault(fault);
    return false;
  }

  Value& Root() { return root_; }
  const std::string& Error() const { return error_; }

 private:
  bool Put(Value value) {
    Place(std::move(value));
    return true;
  }

  // Puts `value` where the parser stands: the root, the next element of
  // the open array, or the member of the key just read.
  Value* Place(Value value) {
    if (open_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Value& container = *open_.back();
    if (container.is_array()) {
      container.push_back(std::move(value));
      return &container.back();
    }
    Value& member = container[key_];
    member = std::move(value);
    return &member;
  }

  // The library's message without its own "[json.exception...] parse error
  // at line L, column C: " in front, with our position instead.
  std::string Fault(const nlohmann::detail::exception& fault) const {
    std::string what = fault.what();
    const std::size_t colon = what.find(": ");
    if (colon != std::string::npos) what = what.substr(colon + 2);
    const auto* parse = dynamic_cast<const nlohmann::detail::parse_error*>(&fault);
    // The byte the library names is one past the last it read.
    const std::size_t offset = parse && parse->byte > 0 ? parse->byte - 1 : read_;
    return At(text_, offset, what);
  }

  const std::string& text_;
  const std::size_t& read_;
  Value root_;
  std::vector<Value*> open_;
  std::vector<std::set<std::string>> keys_;
  std::string key_;
  std::string error_;
};

}  // namespace

std::string Serialize(const Value& value, Layout layout) {
  const int indent = layout == Layout::Indented ? kIndent : -1;
  return value.dump(indent, ' ', false, Value::error_handler_t::replace);
}

ParseResult Parse(const std::string& text) {
  std::size_t read = 0;
  Builder builder(text, read);
  const CountingIterator first(text.data(), &read);
  const CountingIterator last(text.data() + text.size(), &read);
  if (!Value::sax_parse(first, last, &builder)) return {std::nullopt, builder.Error()};
  return {std::move(builder.Root()), {}};
}

const Value* Find(const Value& object, const std::string& key) {
  if (!object.is_object()) return nullptr;
  const auto member = object.find(key);
  return member == object.end() ? nullptr : &*member;
}

std::optional<long long> WholeNumber(const Value& value) {
  if (value.is_number_unsigned()) {
    const std::uint64_t number = value.get<std::uint64_t>();
    if (number > kLargestExactInteger) return std::nullopt;
    return static_cast<long long>(number);
  }
  if (!value.is_number()) return std::nullopt;
  const double number = value.get<double>();
  if (std::trunc(number) != number || std::fabs(number) > static_cast<double>(kLargestExactInteger)) {
    return std::nullopt;
  }
  return static_cast<long long>(number);
}

}  // namespace zelvane::json
