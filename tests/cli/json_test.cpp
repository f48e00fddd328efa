// The JSON reader: what the library takes, what it would take silently and
// we refuse (a repeated key), and where each fault is said to be.
#include "cli/json.h"

#include <gtest/gtest.h>

namespace zelvane::json {
namespace {

TEST(JsonTest, FaultsAreRefusedWithTheirLineAndColumn) {
  struct Case {
    const char* name;
    const char* text;
    const char* position;  // the start of the error
    const char* words;     // in the rest of it
  };
  const Case cases[] = {
      {"repeated key", "{\n  \"a\": 1,\n  \"a\": 2\n}", "line 3, column 3: ", "\"a\" is given twice"},
      {"repeated key with an escaped quote", "{\"x\\\"\": 1, \"x\\\"\": 2}", "line 1, column 12: ",
       "given twice"},
      {"repeated key in a nested object", "[{\"b\": {\"c\": 1, \"c\": 1}}]", "line 1, column 17: ",
       "\"c\" is given twice"},
      {"trailing comma", "{\"a\": 1,\n}", "line 2, column 1: ", "syntax error"},
      {"text after the value", "{} x", "line 1, column 4: ", "syntax error"},
      {"unterminated", "{\"a\": ", "line 1, column 7: ", "end of input"},
      {"empty", "", "line 1, column 1: ", "syntax error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ParseResult parsed = Parse(c.text);
    EXPECT_FALSE(parsed.value);
    EXPECT_EQ(parsed.error.rfind(c.position, 0), 0u) << parsed.error;
    EXPECT_NE(parsed.error.find(c.words), std::string::npos) << parsed.error;
  }
}

// The same key in two objects is no repetition; members keep their order.
TEST(JsonTest, ReadsValuesWholeInTheirOrder) {
  const ParseResult parsed =
      Parse("{\"z\": {\"k\": 1}, \"a\": [{\"k\": 2}, {\"k\": null}], \"m\": \"\xD0\xA1TV5\"}");
  ASSERT_TRUE(parsed.value) << parsed.error;
  EXPECT_EQ(Serialize(*parsed.value, Layout::OneLine),
            "{\"z\":{\"k\":1},\"a\":[{\"k\":2},{\"k\":null}],\"m\":\"\xD0\xA1TV5\"}");
}

TEST(JsonTest, WholeNumbers) {
  struct Case {
    const char* text;
    std::optional<long long> number;
  };
  const Case cases[] = {{"64", 64},          {"-3", -3},        {"1.0", 1},
                        {"1.5", std::nullopt}, {"\"1\"", std::nullopt}, {"null", std::nullopt},
                        {"9007199254740993", std::nullopt}, {"1e300", std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ParseResult parsed = Parse(c.text);
    ASSERT_TRUE(parsed.value) << parsed.error;
    EXPECT_EQ(WholeNumber(*parsed.value), c.number);
  }
}

// A port path need not be UTF-8; its text is written all the same.
TEST(JsonTest, TextThatIsNotUtf8IsWrittenWithReplacements) {
  Value object = Value::object();
  object["port"] = std::string("/dev/tty\xFF");
  EXPECT_EQ(Serialize(object, Layout::OneLine), "{\"port\":\"/dev/tty\xEF\xBF\xBD\"}");
}

}  // namespace
}  // namespace zelvane::json
