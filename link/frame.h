// Layout of the device's frames and the building of request frames.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelvane {

using Frame = std::vector<std::uint8_t>;

// Magic and fixed header: offsets 0 to 6 of every frame.
constexpr std::array<std::uint8_t, 7> kFrameHeader = {0xE2, 0xE4, 0x01, 0x00,
                                                      0xFF, 0x00, 0x01};
constexpr std::size_t kStatusOffset = 7;
constexpr std::size_t kBodyLengthOffset = 8;
constexpr std::size_t kBodyOffset = 9;
// Body offsets 0 to 4 are address, command and three argument bytes; the
// data of a frame starts after them.
constexpr std::size_t kBodyDataOffset = 5;
constexpr std::size_t kCrcSize = 2;
// Header, length byte and CRC: a frame is L + 11 bytes.
constexpr std::size_t kFrameOverhead = kBodyOffset + kCrcSize;
constexpr std::uint8_t kStatusFieldMask = 0x07;

// A frame of status byte `status` around `body`, CRC appended low byte first.
Frame BuildFrame(std::uint8_t status, const std::vector<std::uint8_t>& body);

// A request of body length L: address, command and the arguments that fit
// in L bytes, then the first L - 5 bytes of `data` (may be null).
Frame BuildRequest(std::uint8_t address, std::uint8_t command, std::uint8_t arg1,
                   std::uint8_t arg2, std::uint8_t arg3, const std::uint8_t* data,
                   std::uint8_t L);

}  // namespace zelvane
