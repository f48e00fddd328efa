// Request bodies, waits and result rules of the device's operations.
#include "device/commands.h"

#include <algorithm>
#include <cstring>

namespace zelvane {
namespace {

struct Request {
  std::uint8_t address;
  std::uint8_t command;
  std::uint8_t arg1 = 0;
  std::uint8_t arg2 = 0;
  std::uint8_t arg3 = 0;
  std::uint8_t length;
  int writeWaitMs;
  int replyWaitMs;
  const std::uint8_t* data = nullptr;
};

ExchangeStatus Exchange(DeviceLink device, const Request& r) {
  return device.link.RunExchange(
      device.port, BuildRequest(r.address, r.command, r.arg1, r.arg2, r.arg3, r.data, r.length),
      r.writeWaitMs, r.replyWaitMs);
}

CommandReply ExchangeForReply(DeviceLink device, const Request& r) {
  const ExchangeStatus status = Exchange(device, r);
  return CommandReplyOf(status, device.link.Reply());
}

// The arguments of a request that reads one value: 1, 0.
Request ReadValueRequest(std::uint8_t address, std::uint8_t command, std::uint8_t length) {
  return {address, command, 1, 0, 0, length, kShortWaitMs, kShortWaitMs};
}

}  // namespace

CommandReply CommandReplyOf(ExchangeStatus status, const ReceivedReply& received) {
  CommandReply reply;
  reply.status = status;
  if (reply.HasBody()) {
    reply.bodyLength = ReplyBodyLength(received);
    reply.bodyReceived = static_cast<std::int32_t>(ReceivedBodyLength(received));
    std::copy_n(ReplyBody(received), reply.bodyReceived, reply.body.begin());
  }
  return reply;
}

ModuleList ModuleListOf(const ReceivedReply& reply) {
  ModuleList list;
  list.status = kStatusOk;
  const std::uint8_t* body = ReplyBody(reply);
  const std::size_t length = ReplyBodyLength(reply);
  const std::size_t arrived = ArrivedFrom(reply, kBodyOffset);
  // A final lone byte pairs with the byte after the body; a pair of which
  // a byte did not arrive, and pairs beyond the seventh, are ignored.
  for (std::size_t j = kBodyDataOffset;
       j < length && j + 1 < arrived && list.count < kMaxModules; j += 2) {
    list.types[list.count] = body[j];
    list.addresses[list.count] = body[j + 1];
    ++list.count;
  }
  return list;
}

std::string RevisionTextOf(const ReceivedReply& reply) {
  // The text ends at its zero byte or where the reply stopped.
  const auto* text = reinterpret_cast<const char*>(ReplyData(reply));
  return std::string(text, strnlen(text, ArrivedFrom(reply, kBodyOffset + kBodyDataOffset)));
}

std::optional<std::uint8_t> CommandReply::DataByte() const {
  if (status != kStatusOk || bodyReceived <= static_cast<std::int32_t>(kBodyDataOffset)) {
    return std::nullopt;
  }
  return body[kBodyDataOffset];
}

std::optional<ParamBlock> WholeBlock(const CommandReply& reply) {
  if (reply.status != kStatusOk ||
      reply.bodyReceived < static_cast<std::int32_t>(kBodyDataOffset + kParamBlockSize)) {
    return std::nullopt;
  }
  ParamBlock block{};
  std::copy_n(reply.body.begin() + kBodyDataOffset, block.size(), block.begin());
  return block;
}

ModuleList CmdListModules(DeviceLink device) {
  const ExchangeStatus status = Exchange(device, {kModuleListAddress, kCmdModules, 0, 0, 0,
                                                  kListModulesLength, kShortWaitMs,
                                                  kModuleListReplyWaitMs});
  if (status != kStatusOk) {
    ModuleList failed;
    failed.status = status;
    return failed;
  }
  return ModuleListOf(device.link.Reply());
}

std::string CmdReadRevision(DeviceLink device, std::uint8_t address) {
  for (int attempt = 1; attempt <= kMaxCommandAttempts; ++attempt) {
    const ExchangeStatus status =
        Exchange(device, ReadValueRequest(address, kCmdModules, kReadRevisionLength));
    switch (status) {
      case kStatusOk: return RevisionTextOf(device.link.Reply());
      case kStatusNotReady:
      case kStatusBusy:
        // A pause broken off leaves the next attempt to fail at once.
        if (attempt < kMaxCommandAttempts) device.link.Pause(kRevisionRetryPauseMs);
        continue;
      case kStatusMalfunction: return kRevisionMalfunction;
      case kStatusBadFormat: return kRevisionBadFormat;
      case kStatusBadParameter: return kRevisionBadParameter;
      default: return IsLinkFailure(status) ? kRevisionTimeOut : std::string();
    }
  }
  return {};
}

ExchangeStatus CmdWriteParamBlock(DeviceLink device, std::uint8_t address,
                                  const ParamBlock& block) {
  // Bytes 0 and 1 travel as arguments; the data is bytes 2 to 28 and two
  // zero bytes.
  std::array<std::uint8_t, kWriteParamBlockLength - kBodyDataOffset> data{};
  std::copy(block.begin() + 2, block.end(), data.begin());
  return Exchange(device, {address, kCmdWriteParamBlock, kParamBlockSize, block[0], block[1],
                           kWriteParamBlockLength, kLongWriteWaitMs, kShortWaitMs, data.data()});
}

CommandReply CmdReadParamBlock(DeviceLink device, std::uint8_t address) {
  return ExchangeForReply(device, {address, kCmdReadParamBlock, 0, 0, 0, kReadParamBlockLength,
                                   kShortWaitMs, kShortWaitMs});
}

ExchangeStatus CmdWriteCountryIndex(DeviceLink device, std::uint8_t address, std::uint8_t index) {
  // The index is the third argument; the one data byte after it stays 0.
  return Exchange(device, {address, kCmdWriteCountryIndex, 1, 0, index, kWriteCountryIndexLength,
                           kLongWriteWaitMs, kShortWaitMs});
}

CommandReply CmdReadCountryIndex(DeviceLink device, std::uint8_t address) {
  return ExchangeForReply(device,
                          ReadValueRequest(address, kCmdReadCountryIndex, kReadCountryIndexLength));
}

ExchangeStatus CmdSetModulation(DeviceLink device, std::uint8_t address, std::uint8_t value) {
  ExchangeStatus status = kStatusMalfunction;
  for (int attempt = 0; attempt < kMaxCommandAttempts && status == kStatusMalfunction; ++attempt) {
    status = Exchange(device, {address, kCmdSetModulation, value, 0, 0, kSetModulationLength,
                               kLongWriteWaitMs, kShortWaitMs});
  }
  return status;
}

CommandReply CmdReadModulation(DeviceLink device, std::uint8_t address) {
  return ExchangeForReply(device,
                          ReadValueRequest(address, kCmdReadModulation, kReadModulationLength));
}

}  // namespace zelvane
