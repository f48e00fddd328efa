// Usage errors: exit 2 with the reason on standard error, and not a frame
// on the line; --help on standard output.
#include "cli_fixture.h"

namespace zelvane::testing {
namespace {

using UsageTest = CliTest;

constexpr char kPortMark[] = "PORT";

TEST_F(UsageTest, IsRefusedBeforeThePortIsOpened) {
  struct Case {
    std::vector<std::string> arguments;  // kPortMark stands for the device's port
    const char* message;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"write", "--port", kPortMark}, "write needs at least one of"},
      {{"write", "--port", kPortMark, "--level", "-9,95"}, "--level -9,95: selects no level"},
      {{"write", "--port", kPortMark, "--level", "255"}, "--level 255"},
      {{"write", "--port", kPortMark, "--level", "-"}, "--level -"},
      {{"write", "--port", kPortMark, "--channel", "TV9"}, "--channel TV9: no such channel"},
      {{"write", "--port", kPortMark, "--qam", "16"}, "--qam 16: give 32 or 64"},
      {{"write", "--port", kPortMark, "--country", "7"}, "--country 7: no such country"},
      {{"write", "--port", kPortMark, "--level"}, "--level needs a value"},
      {{"write", "--port", kPortMark, "--level", "-3", "--level", "-2"}, "--level is given twice"},
      {{"read", "--port", kPortMark, "--level", "-3"}, "read takes no option --level"},
      {{"save", "--port", kPortMark}, "save needs a FILE"},
      {{"read", "--port", kPortMark, "extra"}, "unexpected argument 'extra'"},
      {{"read", "--port", kPortMark, "--all"}, "--all and --port exclude each other"},
      {{"save", "s.json", "--port", kPortMark, "--port", kPortMark}, "save takes one --port"},
      {{"devices", "--port", kPortMark}, "devices takes no option --port"},
  };
  for (const Case& c : cases) {
    sim::Simulator device;
    CliRunner runner;
    std::vector<std::string> arguments = c.arguments;
    for (std::string& word : arguments) {
      if (word == kPortMark) word = runner.PortOf(device);
    }
    SCOPED_TRACE(c.message);
    const CliRun run = runner.Run(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_TRUE(RequestsSent(device).empty());
  }
}

// A value that is accepted gets as far as opening the port: on a port that
// does not exist that is exit 1, where a refused value is exit 2.
TEST_F(UsageTest, AcceptsTheSpellingsOfTheWindow) {
  struct Case {
    const char* option;
    const char* value;
  };
  const Case cases[] = {{"--channel", "TV1"},   {"--channel", "tv8"},  {"--channel", "СTV1"},
                        {"--channel", "сtv8"},  {"--channel", "CTV5"}, {"--channel", "ctv5"},
                        {"--level", "-3"},      {"--level", "-2,7"},   {"--level", "-2.7"},
                        {"--level", "-20"},     {"--level", "0,5"},    {"--qam", "32"},
                        {"--qam", "64"},        {"--country", "0"},    {"--country", "RUSSIA"}};
  const std::string missing = cli.UnderWine() ? "COM29" : "/dev/zelvane-none";
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.option) + " " + c.value);
    const CliRun run = cli.Run({"write", "--port", missing, c.option, c.value});
    EXPECT_EQ(run.exitCode, 1) << run.err;
  }
}

TEST_F(UsageTest, HelpGoesToStandardOutput) {
  const CliRun run = cli.Run({"write", "--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind("usage: zelvane-cli COMMAND", 0), 0u) << run.out;
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace zelvane::testing
