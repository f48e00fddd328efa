// The single reply buffer and the fields the tool takes from a reply.
#pragma once

#include <algorithm>
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

// The reply buffer with the number of bytes the last read put into it. A
// reply cut short on the line still states its full body length; the bytes
// past `received` are the buffer's zero-fill, never the device's.
struct ReceivedReply {
  ReplyBuffer bytes{};
  std::size_t received = 0;
};

inline std::uint8_t ReplyStatusField(const ReceivedReply& reply) {
  return reply.bytes[kStatusOffset] & kStatusFieldMask;
}
// The body length as the reply states it.
inline std::uint8_t ReplyBodyLength(const ReceivedReply& reply) {
  return reply.bytes[kBodyLengthOffset];
}
inline const std::uint8_t* ReplyBody(const ReceivedReply& reply) {
  return reply.bytes.data() + kBodyOffset;
}
inline const std::uint8_t* ReplyData(const ReceivedReply& reply) {
  return ReplyBody(reply) + kBodyDataOffset;
}
// How many bytes from frame offset `offset` on arrived.
inline std::size_t ArrivedFrom(const ReceivedReply& reply, std::size_t offset) {
  return reply.received > offset ? reply.received - offset : 0;
}
// How many of the stated body bytes arrived.
inline std::size_t ReceivedBodyLength(const ReceivedReply& reply) {
  return std::min<std::size_t>(ReplyBodyLength(reply), ArrivedFrom(reply, kBodyOffset));
}

}  // namespace zelvane
