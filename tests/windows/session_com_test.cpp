// The session's workflows in the Windows build, against simulated devices
// on the COM ports that the driver maps (see com_port_test.cpp).
#include <gtest/gtest.h>

#include <cstdlib>

#include "session/device_session.h"

namespace zelvane {
namespace {

std::string Port(const char* variable) {
  const char* value = std::getenv(variable);
  return value ? value : "";
}

class SessionComTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Port("ZELVANE_TEST_DEVICE").empty()) GTEST_SKIP() << "run by run-under-wine";
  }
  SessionObserver observer;
  DeviceSession session{observer, [](const std::string&) {}};
};

TEST_F(SessionComTest, ScanReadWriteAndVerify) {
  const Identification found =
      session.Scan({Port("ZELVANE_TEST_SILENT"), Port("ZELVANE_TEST_DEVICE")});
  ASSERT_EQ(found.result, kFound);
  const std::optional<DeviceSettings> settings = session.ReadSettings();
  ASSERT_TRUE(settings);

  WriteRequest request;
  request.block = settings->block;
  request.block[kLevelCodeByte] ^= 0x01;
  request.modulation = 1;
  request.country = settings->country;
  const WriteOutcome outcome = session.Write(request);
  EXPECT_TRUE(outcome.written);
  EXPECT_TRUE(outcome.verification.Verified());
  EXPECT_EQ(outcome.verification.modulation, std::optional<std::uint8_t>(1));

  request.modulation = 0;
  request.block = settings->block;
  EXPECT_TRUE(session.Write(request).verification.Verified());
}

TEST_F(SessionComTest, SilentPortIsNoDevice) {
  ASSERT_EQ(session.ChoosePort(Port("ZELVANE_TEST_SILENT")).choice, PortChoice::Opened);
  EXPECT_EQ(session.Identify().result, kNotFound);
  EXPECT_FALSE(session.ReadSettings());
}

}  // namespace
}  // namespace zelvane
