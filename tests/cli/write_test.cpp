// write: the held settings with only the given fields changed, written with
// the window's commands and pauses, then verified.
#include <chrono>

#include "cli_fixture.h"

namespace zelvane::testing {
namespace {

using WriteTest = CliTest;
using std::chrono::milliseconds;

ParamBlock WithBytes(ParamBlock block, std::size_t first, std::vector<std::uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), block.begin() + first);
  return block;
}

long long MsBetween(const sim::Request& from, const sim::Request& to) {
  return std::chrono::duration_cast<milliseconds>(to.at - from.at).count();
}

TEST_F(WriteTest, ChangesOnlyTheGivenFields) {
  struct Case {
    const char* name;
    std::vector<std::string> values;
    DeviceSpec before;
    ParamBlock block;  // expected afterwards
    std::uint8_t modulation;
    std::uint8_t country;
  };
  // 80 MHz is code 0x17B425A0 and -3 dB level code 152 (0x98); 146 MHz
  // (СTV5) is 0x2B425E44. A stored 255 ("no country") stays 255.
  const Case cases[] = {
      {"channel, level and modulation", {"--channel", "TV3", "--level", "-3", "--qam", "64"},
       DeviceSpec{kNoCountry, 0},
       WithBytes(WithBytes(sim::DefaultBlock(), kLevelCodeByte, {0x98}), kFrequencyByte,
                 {0x17, 0xB4, 0x25, 0xA0}),
       1, kNoCountry},
      {"Cyrillic caption and a country by name", {"--channel", "сtv5", "--country", "russia"},
       DeviceSpec{kNoCountry, 1},
       WithBytes(sim::DefaultBlock(), kFrequencyByte, {0x2B, 0x42, 0x5E, 0x44}), 1, 0},
      {"level by the window's rule", {"--level", "-2.7"},
       DeviceSpec{0, 0, DistinctBlock()}, WithBytes(DistinctBlock(), kLevelCodeByte, {0x98}), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::Simulator device(Device(c.before));
    CliRunner runner;
    std::vector<std::string> arguments = {"write", "--port", runner.PortOf(device), "--json"};
    arguments.insert(arguments.end(), c.values.begin(), c.values.end());
    const CliRun run = runner.Run(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const sim::DeviceState after = device.State();
    EXPECT_EQ(after.block, c.block);
    EXPECT_EQ(after.modulation, c.modulation);
    EXPECT_EQ(after.country, c.country);
    const json::Value result = JsonOf(run.out);
    EXPECT_EQ(Text(result, "verified"), "true");
    EXPECT_EQ(Text(result, "differences"), "<missing>");
  }
}

// The window's workflow: discovery, the settings, the pause, the three
// writes, the pauses, the three reads; nothing else.
TEST_F(WriteTest, SendsTheWindowsCommandsWithItsPauses) {
  sim::Simulator device(Device({0, 1}));
  const CliRun run = cli.Run({"write", "--port", cli.PortOf(device), "--level", "-3"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<sim::Request> requests = RequestsSent(device);
  const std::vector<std::uint8_t> expected = {
      kCmdModules,          kCmdModules,          kCmdReadModulation,    kCmdReadCountryIndex,
      kCmdReadParamBlock,   kCmdWriteParamBlock,  kCmdSetModulation,     kCmdWriteCountryIndex,
      kCmdReadModulation,   kCmdReadCountryIndex, kCmdReadParamBlock};
  ASSERT_EQ(CommandsOf(requests), expected);
  // One second before the block is written; two between the writes and
  // the read-back (wide bands: the machine is shared).
  EXPECT_GE(MsBetween(requests[4], requests[5]), 950);
  EXPECT_LE(MsBetween(requests[4], requests[5]), 4000);
  EXPECT_GE(MsBetween(requests[7], requests[8]), 1950);
  EXPECT_LE(MsBetween(requests[7], requests[8]), 6000);
  EXPECT_NE(run.out.find("verification: OK\n"), std::string::npos) << run.out;
  for (const char* phase : {"writing\n", "written\n", "verifying\n", "verified\n"}) {
    EXPECT_NE(run.err.find(phase), std::string::npos) << phase << "\n" << run.err;
  }
}

TEST_F(WriteTest, AByteStoredOtherwiseIsReportedAlone) {
  struct Case {
    const char* name;
    std::size_t index;
    std::uint8_t stored;
    bool json;
  };
  const Case cases[] = {{"uninterpreted byte, text", 3, 0x5A, false},
                        {"level byte, JSON", kLevelCodeByte, 0xA7, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::Simulator device(Device({0, 1}));
    device.StoreDifferently(c.index, c.stored);
    CliRunner runner;
    std::vector<std::string> arguments = {"write", "--port", runner.PortOf(device), "--level", "-3"};
    if (c.json) arguments.push_back("--json");
    const CliRun run = runner.Run(arguments);
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_NE(run.err.find("the device holds other settings than were written"), std::string::npos)
        << run.err;
    if (c.json) {
      const json::Value result = JsonOf(run.out);
      EXPECT_EQ(Text(result, "verified"), "false");
      EXPECT_EQ(Text(result, "differences"), R"([{"byte":19,"written":152,"held":167}])");
      EXPECT_EQ(Text(result, "level"), "\"-2,50\"");  // what the device holds
    } else {
      const std::string report = run.out.substr(run.out.find("verification:"));
      EXPECT_EQ(report, "verification: FAILED\n  byte 3: wrote 00, device holds 5A\n");
    }
  }
}

// --qam needs a device of the expected revision; discovery has spoken to
// it, but nothing may be written.
TEST_F(WriteTest, QamForAnUnrecognisedDeviceWritesNothing) {
  sim::Simulator device(Device({0, 0, sim::DefaultBlock(), "rev2_01012008"}));
  const CliRun run = cli.Run({"write", "--port", cli.PortOf(device), "--qam", "64", "--level", "-3"});
  EXPECT_EQ(run.exitCode, 2) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("--qam"), std::string::npos) << run.err;
  const std::vector<sim::Request> requests = RequestsSent(device);
  EXPECT_FALSE(requests.empty());
  EXPECT_FALSE(AnyWrite(requests));
  EXPECT_EQ(device.State().block, sim::DefaultBlock());
}

}  // namespace
}  // namespace zelvane::testing
