// read: the settings in text and JSON, found on a given port or by the scan.
#include "cli_fixture.h"

namespace zelvane::testing {
namespace {

using ReadTest = CliTest;

// 80 MHz (80 × 4971026 = 0x17B425A0) at -3 dB (level code 152 = 0x98).
ParamBlock Tv3AtMinus3() {
  ParamBlock block = sim::DefaultBlock();
  block[kLevelCodeByte] = 0x98;
  const std::uint8_t frequency[] = {0x17, 0xB4, 0x25, 0xA0};
  std::copy(std::begin(frequency), std::end(frequency), block.begin() + kFrequencyByte);
  return block;
}

TEST_F(ReadTest, PrintsEveryFieldAsText) {
  sim::Simulator device(Device({0, 1, Tv3AtMinus3()}));
  const std::string port = cli.PortOf(device);
  const CliRun run = cli.Run({"read", "--port", port});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "port: " + port + "\n"
            "module address: 2\n"
            "recognised: yes (revision \"rev3_20102009\")\n"
            "country: 0 (Russia)\n"
            "modulation: QAM 64\n"
            "frequency: 80,00 MHz (TV3)\n"
            "level: -3,00 dB (code 98)\n"
            "block: 00 00 00 00 00 01 00 00 08 20 02 84 38 C1 40 03 00 00 00 98 0E 40 80 00 00 "
            "17 B4 25 A0\n");
  // Progress goes to standard error, the link's trace only when asked for.
  EXPECT_NE(run.err.find("looking for the device on " + port), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(kTracePrefix), std::string::npos) << run.err;
}

TEST_F(ReadTest, PrintsOneJsonObject) {
  struct Case {
    const char* name;
    DeviceSpec state;
    std::vector<std::pair<const char*, std::string>> expected;
  };
  const Case cases[] = {
      {"recognised", DeviceSpec{0, 1, Tv3AtMinus3()},
       {{"module_address", "2"}, {"recognised", "true"}, {"country_index", "0"},
        {"country", "\"Russia\""}, {"modulation", "64"}, {"frequency", "\"80,00\""},
        {"frequency_mhz", "80.0"}, {"channel", "\"TV3\""}, {"level", "\"-3,00\""},
        {"level_db", "-3.0"}, {"level_code", "152"},
        {"block", "\"00000000000100000820028438C14003000000980E4080000017B425A0\""}}},
      // No modulation is read from another revision; a device that stores
      // no country has its channel looked up in the first plan, as the
      // window does.
      {"other revision, no country", DeviceSpec{255, 1, sim::DefaultBlock(), "rev2_01012008"},
       {{"recognised", "false"}, {"country_index", "255"}, {"country", "null"},
        {"modulation", "null"}, {"frequency", "\"62,00\""}, {"frequency_mhz", "62.0"},
        {"channel", "\"TV2\""}, {"level", "\"0,00\""}, {"level_db", "0.0"}, {"level_code", "255"}}},
      {"no channel", DeviceSpec{0, 0, DistinctBlock()},
       {{"modulation", "32"}, {"channel", "null"}, {"level_code", "179"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::Simulator device(Device(c.state));
    CliRunner runner;
    const std::string port = runner.PortOf(device);
    const CliRun run = runner.Run({"read", "--port", port, "--json", "--trace"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const json::Value result = JsonOf(run.out);
    EXPECT_EQ(Text(result, "port"), "\"" + port + "\"");
    for (const auto& [key, value] : c.expected) EXPECT_EQ(Text(result, key), value) << key;
    EXPECT_NE(run.err.find(kTracePrefix), std::string::npos) << run.err;
  }
}

// The scan tries the listed ports in order; the system's own ports are
// hidden, and the test stands aside where they cannot be.
TEST_F(ReadTest, ScanFindsTheDeviceBehindASilentPort) {
  if (cli.UnderWine()) GTEST_SKIP() << "Wine lists the machine's own COM ports";
  sim::Simulator silent;
  silent.SetDefaultReply(sim::Silence());
  sim::Simulator device;
  const Environment ports = {{"ZELVANE_PORTS", silent.PortPath() + ":" + device.PortPath()}};
  const CliRun listed = cli.RunIsolated({"ports"}, ports);
  if (listed.out != silent.PortPath() + "\n" + device.PortPath() + "\n") {
    GTEST_SKIP() << "the machine's own ports cannot be hidden here:\n" << listed.out;
  }
  const CliRun run = cli.RunIsolated({"read", "--json"}, ports);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Text(JsonOf(run.out), "port"), "\"" + device.PortPath() + "\"");
  const std::size_t first = run.err.find("trying " + silent.PortPath());
  const std::size_t second = run.err.find("trying " + device.PortPath());
  EXPECT_NE(first, std::string::npos) << run.err;
  EXPECT_NE(second, std::string::npos) << run.err;
  EXPECT_LT(first, second);
}

TEST_F(ReadTest, NoDeviceIsAFailureWithItsReason) {
  struct Case {
    const char* name;
    bool silentDevice;  // else the port does not exist
    std::string message;
  };
  const Case cases[] = {{"silent port", true, "no device answered on "},
                        {"missing port", false, "no such port"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::Simulator device;
    device.SetDefaultReply(sim::Silence());
    CliRunner runner;
    const std::string port =
        c.silentDevice ? runner.PortOf(device) : (runner.UnderWine() ? "COM29" : "/dev/zelvane-none");
    const CliRun run = runner.Run({"read", "--port", port});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace zelvane::testing
