// A reply as a read brings it from the line, through everything the
// commands take from it: nothing is read past the bytes that arrived, and
// no block comes from a reply too short to hold it.
#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "device/commands.h"
#include "fuzz_check.h"
#include "link/reply.h"

namespace {

using namespace zelvane;

constexpr std::size_t kDataOffset = kBodyOffset + kBodyDataOffset;

// The link's reply buffer after a read of `size` bytes. What lies past them
// is the buffer's zero-fill, never the device's: it is poisoned, so that
// reading any of it stops the run.
const ReceivedReply& Received(const std::uint8_t* data, std::size_t size) {
  static ReceivedReply reply;
  ASAN_UNPOISON_MEMORY_REGION(reply.bytes.data(), reply.bytes.size());
  reply.bytes.fill(0);
  reply.received = std::min(size, kMaxReplyRead);
  std::copy_n(data, reply.received, reply.bytes.begin());
  ASAN_POISON_MEMORY_REGION(reply.bytes.data() + reply.received,
                            reply.bytes.size() - reply.received);
  return reply;
}

// As the link judges a read: a reply of fewer than 9 bytes is a failed
// read, and nothing of it is looked at.
ExchangeStatus StatusOf(const ReceivedReply& reply) {
  return reply.received >= kMinReplyLength ? ReplyStatusField(reply) : kStatusReadFailed;
}

void CheckCommandReply(const ReceivedReply& received, ExchangeStatus status) {
  const CommandReply reply = CommandReplyOf(status, received);
  FUZZ_CHECK(reply.bodyReceived >= 0 && reply.bodyReceived <= reply.bodyLength);
  const auto stated = static_cast<std::size_t>(reply.bodyLength);
  FUZZ_CHECK(static_cast<std::size_t>(reply.bodyReceived) <= ArrivedFrom(received, kBodyOffset));
  FUZZ_CHECK(std::equal(reply.body.begin(), reply.body.begin() + reply.bodyReceived,
                        ReplyBody(received)));

  const bool wholeBlockArrived = status == kStatusOk &&
                                 stated >= kBodyDataOffset + kParamBlockSize &&
                                 received.received >= kDataOffset + kParamBlockSize;
  const std::optional<ParamBlock> block = WholeBlock(reply);
  FUZZ_CHECK(block.has_value() == wholeBlockArrived);
  if (block) FUZZ_CHECK(std::equal(block->begin(), block->end(), ReplyData(received)));

  const std::optional<std::uint8_t> value = reply.DataByte();
  FUZZ_CHECK(value.has_value() == (status == kStatusOk && stated > kBodyDataOffset &&
                                   received.received > kDataOffset));
  if (value) FUZZ_CHECK(*value == received.bytes[kDataOffset]);
}

void CheckModuleList(const ReceivedReply& received) {
  const ModuleList list = ModuleListOf(received);
  // Pairs start at body offset 5, 7, ... inside the stated body; both
  // bytes of a pair must have arrived.
  const std::size_t end = std::min<std::size_t>(ReplyBodyLength(received),
                                                ArrivedFrom(received, kBodyOffset + 1));
  const std::size_t pairs = end > kBodyDataOffset ? (end - kBodyDataOffset + 1) / 2 : 0;
  FUZZ_CHECK(list.count == std::min(pairs, kMaxModules));
  for (std::size_t i = 0; i < list.count; ++i) {
    const std::size_t at = kDataOffset + 2 * i;
    FUZZ_CHECK(list.types[i] == received.bytes[at]);
    FUZZ_CHECK(list.addresses[i] == received.bytes[at + 1]);
  }
}

void CheckRevision(const ReceivedReply& received) {
  const std::string text = RevisionTextOf(received);
  const std::size_t arrived = ArrivedFrom(received, kDataOffset);
  FUZZ_CHECK(text.size() <= arrived);
  FUZZ_CHECK(std::memcmp(text.data(), received.bytes.data() + kDataOffset, text.size()) == 0);
  // It ends at its zero byte, or where the reply stopped.
  FUZZ_CHECK(text.find('\0') == std::string::npos);
  FUZZ_CHECK(text.size() == arrived || received.bytes[kDataOffset + text.size()] == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ReceivedReply& received = Received(data, size);
  const ExchangeStatus status = StatusOf(received);
  CheckCommandReply(received, status);
  if (status == kStatusOk) {
    CheckModuleList(received);
    CheckRevision(received);
  }
  return 0;
}
