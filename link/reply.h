// The single reply buffer and the fields the tool takes from a reply.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/frame.h"

namespace zelvane {

// 9 + 255 + 2 < 521, so a body of any stated length stays inside.
constexpr std::size_t kReplyBufferSize = 521;
using ReplyBuffer = std::array<std::uint8_t, kReplyBufferSize>;

// Only the length of a reply is checked: magic, header and CRC are not.
constexpr std::size_t kMaxReplyRead = 75;
constexpr std::size_t kMinReplyLength = 9;

inline std::uint8_t ReplyStatusField(const ReplyBuffer& reply) {
  return reply[kStatusOffset] & kStatusFieldMask;
}
inline std::uint8_t ReplyBodyLength(const ReplyBuffer& reply) {
  return reply[kBodyLengthOffset];
}
inline const std::uint8_t* ReplyBody(const ReplyBuffer& reply) {
  return reply.data() + kBodyOffset;
}
inline const std::uint8_t* ReplyData(const ReplyBuffer& reply) {
  return ReplyBody(reply) + kBodyDataOffset;
}

}  // namespace zelvane
