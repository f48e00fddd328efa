// save and load: the settings of one device put onto another; a file that
// cannot be taken sends nothing.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli_fixture.h"

namespace zelvane::testing {
namespace {

class SettingsFileTest : public CliTest {
 protected:
  std::string Path() const { return folder_.Path("settings.json"); }

  void WriteFile(const std::string& text) const { std::ofstream(Path()) << text; }

  std::string ReadFile() const {
    std::ostringstream text;
    text << std::ifstream(Path()).rdbuf();
    return text.str();
  }

 private:
  TemporaryFolder folder_;
};

TEST_F(SettingsFileTest, LoadPutsTheSavedSettingsOntoAnotherDevice) {
  sim::Simulator first(Device({0, 1, DistinctBlock()}));
  sim::Simulator second(Device({kNoCountry, 0, sim::DefaultBlock()}));
  const CliRun saved = cli.Run({"save", Path(), "--port", cli.PortOf(first)});
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  EXPECT_EQ(saved.out, "");
  const json::Value file = JsonOf(ReadFile());
  EXPECT_EQ(Text(file, "version"), "1");
  EXPECT_EQ(Text(file, "revision"), "\"rev3_20102009\"");
  EXPECT_EQ(Text(file, "modulation"), "64");
  EXPECT_EQ(Text(file, "country_index"), "0");
  EXPECT_EQ(Text(file, "block"), "\"A0A1A2A3A4A5A6A7A8A9AAABACADAEAFB0B1B2B3B4B5B6B7B8B9BABBBC\"");
  EXPECT_EQ(Text(file, "saved").size(), std::string("\"2026-12-10T09:24:00Z\"").size());
  EXPECT_FALSE(AnyWrite(first.Requests()));

  const CliRun loaded = cli.Run({"load", Path(), "--port", cli.PortOf(second), "--json"});
  ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
  EXPECT_EQ(Text(JsonOf(loaded.out), "verified"), "true");
  const sim::DeviceState after = second.State();
  EXPECT_EQ(after.block, DistinctBlock());
  EXPECT_EQ(after.modulation, 1);
  EXPECT_EQ(after.country, 0);
}

// A file as the first version of the program wrote it, to the byte.
TEST_F(SettingsFileTest, AFileOfTheFirstReleaseLoads) {
  WriteFile(
      "{\n  \"version\": 1,\n  \"saved\": \"2026-12-10T09:24:00Z\",\n  \"revision\": \"rev3_20102009\",\n"
      "  \"modulation\": 64,\n  \"country_index\": 0,\n"
      "  \"block\": \"A0A1A2A3A4A5A6A7A8A9AAABACADAEAFB0B1B2B3B4B5B6B7B8B9BABBBC\"\n}\n");
  sim::Simulator device(Device({kNoCountry, 0, sim::DefaultBlock()}));
  const CliRun run = cli.Run({"load", Path(), "--port", cli.PortOf(device)});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(device.State().block, DistinctBlock());
  EXPECT_EQ(device.State().modulation, 1);
  EXPECT_EQ(device.State().country, 0);
}

TEST_F(SettingsFileTest, AFaultyFileIsRefusedBeforeAnythingIsSent) {
  const std::string block = "\"00000000000100000820028438C14003000000FF0E40800000125ED098\"";
  struct Case {
    const char* name;
    std::string text;  // empty: no file at all
    const char* message;
  };
  const Case cases[] = {
      {"not JSON", "{\"version\": 1, \"block\": " + block + ",", "is not valid JSON"},
      {"trailing comma", "{\"version\": 1, \"modulation\": 32, \"country_index\": 0, \"block\": " +
                             block + ",}", "is not valid JSON"},
      {"another version",
       "{\"version\": 2, \"modulation\": 32, \"country_index\": 0, \"block\": " + block + "}",
       "format version 2"},
      {"no version", "{\"modulation\": 32, \"country_index\": 0, \"block\": " + block + "}",
       "no format version"},
      {"block of 28 bytes",
       "{\"version\": 1, \"modulation\": 32, \"country_index\": 0, \"block\": \"" +
           std::string(56, '0') + "\"}",
       "not 29 bytes"},
      {"block not hexadecimal",
       "{\"version\": 1, \"modulation\": 32, \"country_index\": 0, \"block\": \"" +
           std::string(56, '0') + "0G\"}",
       "not 29 bytes"},
      {"modulation of no QAM", "{\"version\": 1, \"modulation\": 48, \"country_index\": 0, \"block\": " +
                                   block + "}",
       "modulation"},
      // 2^32 + 64 is no QAM, though it wraps to 64 as an int.
      {"modulation beyond an int",
       "{\"version\": 1, \"modulation\": 4294967360, \"country_index\": 0, \"block\": " + block + "}",
       "modulation"},
      {"repeated key", "{\"version\": 1, \"modulation\": 32, \"modulation\": 64, \"country_index\": 0, "
                       "\"block\": " + block + "}",
       "line 1, column 34: the key \"modulation\" is given twice"},
      {"country out of range", "{\"version\": 1, \"modulation\": 32, \"country_index\": 256, \"block\": " +
                                   block + "}",
       "country_index"},
      {"no file", "", "cannot be opened"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::remove(Path().c_str());
    if (!c.text.empty()) WriteFile(c.text);
    sim::Simulator device;
    CliRunner runner;
    const CliRun run = runner.Run({"load", Path(), "--port", runner.PortOf(device)});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_TRUE(RequestsSent(device).empty());
  }
}

}  // namespace
}  // namespace zelvane::testing
