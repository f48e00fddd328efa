// The Win32 backend against simulated devices on mapped COM ports. The
// driver names the ports in the environment:
//   ZELVANE_TEST_DEVICE  a device
//   ZELVANE_TEST_SILENT  a device that never answers
//   ZELVANE_TEST_SHORT   a device whose replies stop after 10 bytes
//   ZELVANE_TEST_LONG    a device whose replies run to 80 bytes
//   ZELVANE_TEST_STALLED a device whose line holds every write
//   ZELVANE_TEST_GONE    a device whose line hangs up at the first request
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "device/discovery.h"

namespace zelvane {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kRf = 2;

std::string Port(const char* variable) {
  const char* value = std::getenv(variable);
  return value ? value : "";
}

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The port's DCB, read through a handle of its own after `change`, when
// given, was applied through it.
DCB PortState(const std::string& name, const std::function<void(DCB&)>& change = {}) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  HANDLE port = CreateFileA(("\\\\.\\" + name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot open " << name;
    return dcb;
  }
  GetCommState(port, &dcb);
  if (change) {
    change(dcb);
    SetCommState(port, &dcb);
    GetCommState(port, &dcb);
  }
  CloseHandle(port);
  return dcb;
}

Frame ReadBlockRequest() { return BuildRequest(kRf, kCmdReadParamBlock, 0, 0, 0, nullptr, 2); }

class ComPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Port("ZELVANE_TEST_DEVICE").empty()) GTEST_SKIP() << "run by run-under-wine";
  }
  PortHandle Open(const char* variable) {
    PortHandle port = OpenPort(Port(variable));
    EXPECT_TRUE(port) << Port(variable);
    return port;
  }
  Link link{[](const std::string&) {}};
};

TEST_F(ComPortTest, ListsTheMappedPortsAsFree) {
  const std::vector<std::string> entries = ListSerialPorts();
  for (const char* variable : {"ZELVANE_TEST_DEVICE", "ZELVANE_TEST_SILENT"}) {
    EXPECT_NE(std::find(entries.begin(), entries.end(), Port(variable)), entries.end())
        << Port(variable);
  }
}

TEST_F(ComPortTest, SecondOpenOfAnOpenPortFails) {
  PortHandle first = Open("ZELVANE_TEST_DEVICE");
  ASSERT_TRUE(first);
  if (OpenPort(Port("ZELVANE_TEST_DEVICE"))) {
    GTEST_SKIP() << "Wine does not enforce the exclusive share mode; covered on POSIX";
  }
  EXPECT_TRUE(first->Close());
  EXPECT_TRUE(OpenPort(Port("ZELVANE_TEST_DEVICE")));
}

TEST_F(ComPortTest, ReadTimeOuts) {
  struct Case {
    const char* port;
    int bytes;
    long long minMs;
    long long maxMs;
  };
  // Silence ends at the total time-out (770 ms), a reply that stops ends at
  // the interval time-out (300 ms after it), 75 bytes end the read at once.
  const Case cases[] = {{"ZELVANE_TEST_SILENT", 0, 700, 2000},
                        {"ZELVANE_TEST_SHORT", 10, 250, 700},
                        {"ZELVANE_TEST_LONG", 75, 0, 250}};
  for (const Case& c : cases) {
    PortHandle port = Open(c.port);
    ASSERT_TRUE(port);
    const Frame request = ReadBlockRequest();
    ASSERT_TRUE(port->Write(request.data(), request.size(), 1000));
    std::uint8_t buffer[kMaxReplyRead];
    const auto start = Clock::now();
    const int got = port->Read(buffer, sizeof buffer);
    const long long ms = MsSince(start);
    EXPECT_EQ(got, c.bytes) << c.port;
    EXPECT_GE(ms, c.minMs) << c.port;
    EXPECT_LE(ms, c.maxMs) << c.port;
    std::printf("%s: %d bytes after %lld ms\n", c.port, got, ms);
  }
}

TEST_F(ComPortTest, ExchangeStatuses) {
  struct Case {
    const char* port;
    ExchangeStatus status;
  };
  const Case cases[] = {{"ZELVANE_TEST_DEVICE", kStatusOk},
                        {"ZELVANE_TEST_SILENT", kStatusReadFailed},
                        {"ZELVANE_TEST_SHORT", kStatusOk}};
  for (const Case& c : cases) {
    PortHandle port = Open(c.port);
    ASSERT_TRUE(port);
    EXPECT_EQ(link.RunExchange(*port, ReadBlockRequest(), 1000, 1000), c.status) << c.port;
  }
}

TEST_F(ComPortTest, StalledWriteGives101AfterOneWriteWait) {
  PortHandle port = Open("ZELVANE_TEST_STALLED");
  ASSERT_TRUE(port);
  const auto start = Clock::now();
  EXPECT_EQ(link.RunExchange(*port, ReadBlockRequest(), kShortWaitMs, kShortWaitMs),
            kStatusWriteTimeout);
  const long long ms = MsSince(start);
  EXPECT_GE(ms, kShortWaitMs * 9 / 10);
  EXPECT_LT(ms, kShortWaitMs * 3 / 2);
  std::printf("stalled write: 101 after %lld ms\n", ms);
}

TEST_F(ComPortTest, WritesOnALineThatHasGoneAwayReturnAtOnce) {
  PortHandle port = Open("ZELVANE_TEST_GONE");
  ASSERT_TRUE(port);
  const DeviceLink device{link, *port};
  EXPECT_EQ(CmdReadParamBlock(device, kRf).status, kStatusReadFailed);  // the line goes away
  const auto start = Clock::now();
  EXPECT_EQ(CmdWriteParamBlock(device, kRf, ParamBlock{}), kStatusWriteTimeout);
  const long long ms = MsSince(start);
  EXPECT_LT(ms, kLongWriteWaitMs / 5);
  std::printf("write on a hung-up line: 101 after %lld ms\n", ms);
}

TEST_F(ComPortTest, CommandSet) {
  PortHandle port = Open("ZELVANE_TEST_DEVICE");
  ASSERT_TRUE(port);
  const DeviceLink device{link, *port};
  const ModuleList modules = CmdListModules(device);
  ASSERT_EQ(modules.status, kStatusOk);
  EXPECT_EQ(modules.count, 2);
  EXPECT_EQ(CmdReadRevision(device, kRf), kExpectedRevision);

  ParamBlock block{};
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i * 7);
  EXPECT_EQ(CmdWriteParamBlock(device, kRf, block), kStatusOk);
  const CommandReply read = CmdReadParamBlock(device, kRf);
  ASSERT_EQ(read.bodyLength, 34);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), read.body.begin() + 5));

  EXPECT_EQ(CmdWriteCountryIndex(device, kRf, 0), kStatusOk);
  EXPECT_EQ(CmdReadCountryIndex(device, kRf).DataByte(), 0);
  EXPECT_EQ(CmdSetModulation(device, kRf, 1), kStatusOk);
  EXPECT_EQ(CmdReadModulation(device, kRf).DataByte(), 1);
  EXPECT_EQ(CmdSetModulation(device, kRf, 0), kStatusOk);
}

TEST_F(ComPortTest, ScanFindsTheDeviceOnItsPort) {
  const std::vector<std::string> entries = {Port("ZELVANE_TEST_SILENT") + " in use",
                                            Port("ZELVANE_TEST_SILENT"), Port("ZELVANE_TEST_DEVICE")};
  PortHandle port;
  DiscoveryState state;
  const Identification found = ScanPorts(link, entries, port, state, {});
  EXPECT_EQ(found.result, kFound);
  ASSERT_TRUE(port);
  EXPECT_EQ(port->Name(), Port("ZELVANE_TEST_DEVICE"));
  EXPECT_TRUE(state.DeviceRecognised);
}

TEST_F(ComPortTest, ListingAndConnectionLeaveThePortAsFound) {
  const std::string name = Port("ZELVANE_TEST_LONG");
  const DCB original = PortState(name);
  const DCB before = PortState(name, [](DCB& dcb) {
    dcb.BaudRate = CBR_9600;
    dcb.StopBits = TWOSTOPBITS;
    dcb.fOutxCtsFlow = TRUE;
  });
  ASSERT_EQ(before.BaudRate, static_cast<DWORD>(CBR_9600));

  ListSerialPorts();
  const DCB listed = PortState(name);
  EXPECT_EQ(std::memcmp(&listed, &before, sizeof before), 0) << "after the listing";
  {
    PortHandle port = Open("ZELVANE_TEST_LONG");
    ASSERT_TRUE(port);
    EXPECT_EQ(CmdListModules({link, *port}).status, kStatusOk);
    EXPECT_TRUE(port->Close());
  }
  const DCB after = PortState(name);
  EXPECT_EQ(std::memcmp(&after, &before, sizeof before), 0) << "after a connection";
  EXPECT_EQ(after.BaudRate, before.BaudRate);
  EXPECT_EQ(after.StopBits, before.StopBits);
  EXPECT_EQ(after.fOutxCtsFlow, before.fOutxCtsFlow);
  PortState(name, [&](DCB& dcb) { dcb = original; });
}

}  // namespace
}  // namespace zelvane
