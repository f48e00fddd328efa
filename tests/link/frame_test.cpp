// Request frames, the checksum and the reply fields.
#include <gtest/gtest.h>

#include <cstring>

#include "link/crc16.h"
#include "link/frame.h"
#include "link/reply.h"

namespace zelvane {
namespace {

TEST(Crc16Modbus, CheckValueOfTheNineDigits) {
  const char* digits = "123456789";
  EXPECT_EQ(Crc16Modbus(reinterpret_cast<const std::uint8_t*>(digits), std::strlen(digits)),
            0x4B37);
}

TEST(BuildRequest, ModuleListQueryIsExact) {
  const Frame expected = {0xE2, 0xE4, 0x01, 0x00, 0xFF, 0x00, 0x01,
                          0x00, 0x02, 0xFD, 0x01, 0x00, 0xD3};
  EXPECT_EQ(BuildRequest(253, 1, 0, 0, 0, nullptr, 2), expected);
}

TEST(BuildRequest, BodyLengthDecidesWhichArgumentsTravel) {
  // L = 3: only arg1; what follows is the CRC.
  const Frame three = BuildRequest(2, 6, 0x11, 0x22, 0x33, nullptr, 3);
  ASSERT_EQ(three.size(), 14U);
  EXPECT_EQ(three[11], 0x11);
  const std::uint16_t crc = Crc16Modbus(three.data(), 12);
  EXPECT_EQ(three[12], crc & 0xFF);
  EXPECT_EQ(three[13], crc >> 8);

  // L = 6 without data: the data byte at offset 14 is 0.
  const Frame six = BuildRequest(2, 4, 1, 0, 7, nullptr, 6);
  ASSERT_EQ(six.size(), 17U);
  EXPECT_EQ(six[13], 7);
  EXPECT_EQ(six[14], 0);
}

TEST(BuildRequest, TakesTheFirstLMinusFiveDataBytes) {
  const std::uint8_t data[] = {0xA0, 0xA1, 0xA2, 0xA3};
  const Frame frame = BuildRequest(2, 2, 1, 2, 3, data, 7);
  ASSERT_EQ(frame.size(), 18U);
  EXPECT_EQ(frame[14], 0xA0);
  EXPECT_EQ(frame[15], 0xA1);
}

TEST(Reply, StatusFieldIsTheLowThreeBitsOfByteSeven) {
  struct Case { std::uint8_t byte; std::uint8_t status; };
  const Case cases[] = {{0x08, 0}, {0x0B, 3}, {0x0C, 4}, {0xFF, 7}};
  for (const Case& c : cases) {
    ReceivedReply reply;
    reply.bytes[7] = c.byte;
    EXPECT_EQ(ReplyStatusField(reply), c.status) << int(c.byte);
  }
}

}  // namespace
}  // namespace zelvane
