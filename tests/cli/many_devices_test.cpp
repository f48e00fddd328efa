// Many devices in one command: the inventory, and write and load on every
// device at once, each on its own session; one device's fault or an
// interrupt leaves the others' results standing.
#include <signal.h>

#include <memory>

#include "cli_fixture.h"

namespace zelvane::testing {
namespace {

using ManyDevicesTest = CliTest;

constexpr std::uint8_t kHeldLevelCode = 0xA7;

// The rows of the output, one a line.
std::vector<std::string> Rows(const std::string& out) {
  std::vector<std::string> rows;
  std::size_t start = 0;
  for (std::size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    rows.push_back(out.substr(start, end - start));
  }
  return rows;
}

std::string ListOf(const std::vector<std::string>& ports) {
  std::string list;
  for (const std::string& port : ports) list += (list.empty() ? "" : ":") + port;
  return list;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Two devices, a silent port and a busy one: every port gets its row.
TEST_F(ManyDevicesTest, InventoryNamesWhatStandsOnEveryPort) {
  if (cli.UnderWine()) GTEST_SKIP() << "the port list is the Linux one of ZELVANE_PORTS";
  sim::Simulator first(Device({0, 1}));
  sim::Simulator second(Device({kNoCountry, 0, sim::DefaultBlock(), "rev2_01012008"}));
  sim::Simulator silent;
  silent.SetDefaultReply(sim::Silence());
  sim::Simulator busy;
  const PortHandle held = OpenPort(busy.PortPath());
  ASSERT_TRUE(held);
  const Environment ports = {
      {"ZELVANE_PORTS",
       ListOf({first.PortPath(), silent.PortPath(), busy.PortPath(), second.PortPath()})}};

  const CliRun text = cli.RunIsolated({"devices"}, ports);
  ASSERT_EQ(text.exitCode, 0) << text.err;
  const std::vector<std::string> rows = Rows(text.out);
  ASSERT_EQ(rows.size(), 4u) << text.out;
  EXPECT_EQ(rows[0], first.PortPath() +
                         "\t-\tmodule 2\trevision \"rev3_20102009\" (recognised)\t62,00 MHz (TV2)\t"
                         "0,00 dB\tQAM 64\tRussia");
  EXPECT_EQ(rows[1], silent.PortPath() + "\t-\tno device");
  EXPECT_EQ(rows[2], busy.PortPath() + "\t-\tbusy");
  EXPECT_TRUE(Contains(rows[3], "(not recognised)")) << rows[3];
  EXPECT_TRUE(Contains(rows[3], "no country")) << rows[3];

  const CliRun json = cli.RunIsolated({"devices", "--json"}, ports);
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const json::Value array = JsonOf(json.out);
  ASSERT_TRUE(array.is_array());
  ASSERT_EQ(array.size(), 4u);
  const char* states[] = {"\"device\"", "\"no device\"", "\"busy\"", "\"device\""};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(Text(array[i], "state"), states[i]) << i;
  EXPECT_EQ(Text(array[0], "frequency_mhz"), "62.0");
  EXPECT_EQ(Text(array[0], "level_db"), "0.0");
  EXPECT_EQ(Text(array[1], "frequency_mhz"), "<missing>");
  EXPECT_FALSE(AnyWrite(first.Requests()));
}

// One device stores the level otherwise: it alone is named, the code is 3,
// the others are verified.
TEST_F(ManyDevicesTest, LoadToThreeNamesTheOneThatHoldsSomethingElse) {
  TemporaryFolder folder;
  const std::string file = folder.Path("bench.json");
  sim::Simulator source(Device({0, 1, DistinctBlock()}));
  ASSERT_EQ(cli.Run({"save", file, "--port", cli.PortOf(source)}).exitCode, 0);

  struct Case {
    const char* name;
    bool json;
  };
  const Case cases[] = {{"rows", false}, {"JSON array", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::unique_ptr<sim::Simulator>> devices;
    CliRunner runner;
    std::vector<std::string> arguments = {"load", file};
    for (int i = 0; i < 3; ++i) {
      devices.push_back(std::make_unique<sim::Simulator>(Device({kNoCountry, 0})));
      arguments.insert(arguments.end(), {"--port", runner.PortOf(*devices.back())});
    }
    devices[1]->StoreDifferently(kLevelCodeByte, kHeldLevelCode);
    if (c.json) arguments.push_back("--json");
    const CliRun run = runner.Run(arguments);
    EXPECT_EQ(run.exitCode, 3) << run.err;
    const std::string odd = arguments[5];
    if (c.json) {
      const json::Value array = JsonOf(run.out);
      ASSERT_TRUE(array.is_array());
      ASSERT_EQ(array.size(), 3u);
      for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(array[i], "verified"), i == 1 ? "false" : "true") << i;
      }
      EXPECT_EQ(Text(array[1], "port"), "\"" + odd + "\"");
      EXPECT_EQ(Text(array[1], "differences"), R"([{"byte":19,"written":179,"held":167}])");
    } else {
      const std::vector<std::string> rows = Rows(run.out);
      ASSERT_EQ(rows.size(), 3u) << run.out;
      EXPECT_EQ(rows[0], arguments[3] + "\twritten\tverified");
      EXPECT_EQ(rows[1], odd + "\twritten\tnot verified\tbyte 19: wrote B3, device holds A7; "
                               "level: wrote -11,29 dB (B3), device holds -2,50 dB (A7)");
      EXPECT_EQ(rows[2], arguments[7] + "\twritten\tverified");
    }
    EXPECT_TRUE(Contains(run.err, odd + ": zelvane-cli: the device holds other settings")) << run.err;
    for (int i : {0, 2}) EXPECT_EQ(devices[i]->State().block, DistinctBlock()) << i;
  }
}

// The line of one device goes away as its block is written; the others
// finish, and the code is the link's failure.
TEST_F(ManyDevicesTest, ALineThatDiesUnderOneDeviceLeavesTheOthersDone) {
  std::vector<std::unique_ptr<sim::Simulator>> devices;
  std::vector<std::string> arguments = {"write", "--level", "-3"};
  for (int i = 0; i < 3; ++i) {
    devices.push_back(std::make_unique<sim::Simulator>(Device({0, 1})));
    arguments.insert(arguments.end(), {"--port", cli.PortOf(*devices.back())});
  }
  devices[2]->Script(kCmdWriteParamBlock, {sim::LineGoesAway()});
  const CliRun run = cli.Run(arguments);
  EXPECT_EQ(run.exitCode, 1) << run.err;
  const std::vector<std::string> rows = Rows(run.out);
  ASSERT_EQ(rows.size(), 3u) << run.out;
  EXPECT_EQ(rows[0], arguments[4] + "\twritten\tverified");
  EXPECT_EQ(rows[1], arguments[6] + "\twritten\tverified");
  EXPECT_EQ(rows[2].rfind(arguments[8] + "\tnot written\tnot verified\t", 0), 0u) << rows[2];
  for (int i : {0, 1}) EXPECT_EQ(devices[i]->State().block[kLevelCodeByte], 152) << i;
}

// SIGINT once a block is written: every device stops before its next
// request, the summary says what each got, the ports are free again.
TEST_F(ManyDevicesTest, AnInterruptStopsEveryDeviceAndFreesThePorts) {
  if (cli.UnderWine()) GTEST_SKIP() << "Wine maps no POSIX signal to the console's events";
  std::vector<std::unique_ptr<sim::Simulator>> devices;
  std::vector<std::string> paths;
  for (int i = 0; i < 3; ++i) {
    devices.push_back(std::make_unique<sim::Simulator>(Device({0, 1})));
    paths.push_back(devices.back()->PortPath());
  }
  const auto blockWritten = [&devices] {
    for (const auto& device : devices) {
      for (const sim::Request& r : device->Requests()) {
        if (r.command == kCmdWriteParamBlock) return true;
      }
    }
    return false;
  };
  const CliRun run = cli.RunIsolatedAndSignal({"write", "--all", "--level", "-3"},
                                              {{"ZELVANE_PORTS", ListOf(paths)}}, blockWritten,
                                              SIGINT);
  EXPECT_EQ(run.exitCode, 130) << run.err;
  EXPECT_TRUE(Contains(run.err, "zelvane-cli: interrupted")) << run.err;
  for (const std::string& path : paths) {
    EXPECT_TRUE(Contains(run.err, "zelvane-cli: " + path + ": ")) << path << "\n" << run.err;
  }
  for (const auto& device : devices) {
    // The read-back waits two seconds after the writes: none may have begun.
    const std::vector<sim::Request> requests = RequestsSent(*device);
    const auto write = std::find_if(requests.begin(), requests.end(), [](const sim::Request& r) {
      return r.command == kCmdWriteParamBlock;
    });
    if (write == requests.end()) continue;
    EXPECT_EQ(std::count_if(write, requests.end(),
                            [](const sim::Request& r) { return r.command == kCmdReadParamBlock; }),
              0);
  }
}

}  // namespace
}  // namespace zelvane::testing
