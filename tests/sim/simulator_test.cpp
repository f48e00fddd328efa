// The simulator checks what it is sent.
#include <gtest/gtest.h>

#include "link/frame.h"
#include "sim_link.h"

namespace zelvane {
namespace {

TEST(Simulator, RecordsAndIgnoresAnInvalidRequest) {
  testing::SimLink s;
  Frame request = BuildRequest(2, kCmdReadParamBlock, 0, 0, 0, nullptr, 2);
  request.back() ^= 0x01;  // break the CRC
  EXPECT_EQ(s.link.RunExchange(*s.port, request, 1000, 1000), kStatusReadFailed);
  ASSERT_TRUE(s.sim.WaitForRequests(1, 1000));
  EXPECT_FALSE(s.sim.Requests()[0].valid);
}

TEST(Simulator, RejectsARequestOfTheWrongLength) {
  testing::SimLink s;
  const Frame request = BuildRequest(2, kCmdReadParamBlock, 0, 0, 0, nullptr, 3);
  EXPECT_EQ(s.link.RunExchange(*s.port, request, 1000, 1000), kStatusReadFailed);
  EXPECT_FALSE(s.sim.Requests().at(0).valid);
}

}  // namespace
}  // namespace zelvane
