// Request and reply frames: fixed header, body, CRC-16 low byte first.
#include "link/frame.h"

#include <algorithm>

#include "link/crc16.h"

namespace zelvane {

Frame BuildFrame(std::uint8_t status, const std::vector<std::uint8_t>& body) {
  Frame frame(kFrameHeader.begin(), kFrameHeader.end());
  frame.push_back(status);
  frame.push_back(static_cast<std::uint8_t>(body.size()));
  frame.insert(frame.end(), body.begin(), body.end());
  const std::uint16_t crc = Crc16Modbus(frame.data(), frame.size());
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFFU));
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  return frame;
}

Frame BuildRequest(std::uint8_t address, std::uint8_t command, std::uint8_t arg1,
                   std::uint8_t arg2, std::uint8_t arg3, const std::uint8_t* data,
                   std::uint8_t L) {
  // Assemble the longest possible body, then keep its first L bytes: an
  // argument that lies beyond the body is not part of the frame.
  std::vector<std::uint8_t> body = {address, command, arg1, arg2, arg3};
  body.resize(std::max<std::size_t>(L, body.size()), 0);
  if (data != nullptr && L > kBodyDataOffset) {
    std::copy(data, data + (L - kBodyDataOffset), body.begin() + kBodyDataOffset);
  }
  body.resize(L);
  return BuildFrame(0, body);
}

}  // namespace zelvane
