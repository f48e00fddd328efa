// What the command line tests share: the runner, simulated devices in
// known states, and the simulator's record read once the line is quiet.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/json.h"
#include "cli_runner.h"
#include "device/commands.h"
#include "link/exchange.h"
#include "params/param_block.h"
#include "sim/simulator.h"

namespace zelvane::testing {

constexpr std::uint8_t kWriteCommands[] = {kCmdWriteParamBlock, kCmdWriteCountryIndex,
                                           kCmdSetModulation};

// A block whose every byte differs from the simulator's default block.
inline ParamBlock DistinctBlock() {
  ParamBlock block{};
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(0xA0 + i);
  return block;
}

// What a simulated device holds at the start; a plain record, so that
// tables of cases need not copy whole device states.
struct DeviceSpec {
  std::uint8_t country = 0;
  std::uint8_t modulation = 0;
  ParamBlock block = sim::DefaultBlock();
  std::string revision = sim::kDefaultRevision;
};

sim::DeviceState Device(const DeviceSpec& spec);

// Every request the program sent, complete: a request of our own goes
// after them and is answered, so that all before it have been taken in.
inline std::vector<sim::Request> RequestsSent(const sim::Simulator& device) {
  Link link([](const std::string&) {});
  PortHandle port = OpenPort(device.PortPath());
  EXPECT_TRUE(port) << "the program left the port open";
  if (!port) return device.Requests();
  const std::vector<sim::Module> modules = device.State().modules;
  const auto rf = std::find_if(modules.begin(), modules.end(),
                               [](const sim::Module& m) { return m.type == sim::kRfType; });
  EXPECT_NE(rf, modules.end());
  if (rf == modules.end()) return device.Requests();
  EXPECT_EQ(CmdReadCountryIndex({link, *port}, rf->address).status, kStatusOk);
  std::vector<sim::Request> requests = device.Requests();
  EXPECT_FALSE(requests.empty());
  if (!requests.empty()) requests.pop_back();
  return requests;
}

inline bool AnyWrite(const std::vector<sim::Request>& requests) {
  return std::any_of(requests.begin(), requests.end(), [](const sim::Request& r) {
    return std::find(std::begin(kWriteCommands), std::end(kWriteCommands), r.command) !=
           std::end(kWriteCommands);
  });
}

inline std::vector<std::uint8_t> CommandsOf(const std::vector<sim::Request>& requests) {
  std::vector<std::uint8_t> commands;
  for (const sim::Request& r : requests) commands.push_back(r.command);
  return commands;
}

// The program's JSON output; a null value (and a failure) when it is none.
inline json::Value JsonOf(const std::string& out) {
  const json::ParseResult parsed = json::Parse(out);
  EXPECT_TRUE(parsed.value) << parsed.error << "\n" << out;
  return parsed.value ? *parsed.value : json::Value();
}

inline std::string Text(const json::Value& object, const char* key) {
  const json::Value* value = json::Find(object, key);
  if (value == nullptr) return "<missing>";
  return json::Serialize(*value, json::Layout::OneLine);
}

// A folder of its own for the files of one test, removed with what it holds.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    char pattern[] = "/tmp/zelvane-cli-test.XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp");
    path_ = pattern;
  }
  ~TemporaryFolder() { std::filesystem::remove_all(path_); }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  std::string Path(const std::string& relative) const { return path_ + "/" + relative; }

 private:
  std::string path_;
};

class CliTest : public ::testing::Test {
 protected:
  CliRunner cli;
};

}  // namespace zelvane::testing
