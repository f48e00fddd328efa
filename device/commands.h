// The device's eight operations, each one exchange (two of them repeated)
// with the RF module or the module list address.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "device/command_codes.h"
#include "device/param_block_bytes.h"
#include "link/exchange.h"

namespace zelvane {

constexpr std::size_t kCommandBodySize = 512;
constexpr std::size_t kMaxModules = 7;
constexpr std::uint8_t kNoCountry = 255;

// The write wait and the reply wait of each operation, in milliseconds.
constexpr int kShortWaitMs = 1000;
constexpr int kLongWriteWaitMs = 5000;
constexpr int kModuleListReplyWaitMs = 10000;

// A not-ready revision read is asked again after this pause; both retrying
// operations give up after kMaxCommandAttempts exchanges.
constexpr int kRevisionRetryPauseMs = 400;
constexpr int kMaxCommandAttempts = 10;

// Texts the revision read gives for its failures; none can equal a revision.
constexpr char kRevisionMalfunction[] = "Неисправность";
constexpr char kRevisionBadFormat[] = "Неверен формат команды";
constexpr char kRevisionBadParameter[] = "Неверен параметр команды";
constexpr char kRevisionTimeOut[] = "ReadTimeOut";

struct CommandReply {
  // Only the body bytes that arrived; the rest stays 0.
  std::array<std::uint8_t, kCommandBodySize> body{};
  // The body length as the reply states it, and how many of those bytes
  // arrived: a reply cut short on the line states more than it brought.
  std::int32_t bodyLength = 0;
  std::int32_t bodyReceived = 0;
  ExchangeStatus status = kStatusReadFailed;

  bool HasBody() const { return !IsLinkFailure(status); }
  // The value of a one-value read (body byte 5): only from a reply with
  // status 0 that brought that byte.
  std::optional<std::uint8_t> DataByte() const;
};

// The block of a CmdReadParamBlock reply (body bytes 5 to 33): only from a
// reply with status 0 that brought all 29 bytes. A longer body gives its
// first 29; a shorter one gives nothing, so that no byte of it is used.
std::optional<ParamBlock> WholeBlock(const CommandReply& reply);

struct ModuleList {
  std::array<std::uint8_t, kMaxModules> types{};
  std::array<std::uint8_t, kMaxModules> addresses{};
  ExchangeStatus status = kStatusReadFailed;
  std::uint16_t count = 0;
};

// What the operations take from the reply the link received, apart from
// the exchange, so that any bytes from the line can be put through them.
// Each reads only the bytes that arrived.
// The reply of a reading operation whose exchange ended with `status`.
CommandReply CommandReplyOf(ExchangeStatus status, const ReceivedReply& reply);
// The entries of a module list reply with status 0.
ModuleList ModuleListOf(const ReceivedReply& reply);
// The text of a revision reply with status 0.
std::string RevisionTextOf(const ReceivedReply& reply);

// The port and the link state every operation runs on.
struct DeviceLink {
  Link& link;
  SerialPort& port;
};

ModuleList CmdListModules(DeviceLink device);
std::string CmdReadRevision(DeviceLink device, std::uint8_t address);
ExchangeStatus CmdWriteParamBlock(DeviceLink device, std::uint8_t address,
                                  const ParamBlock& block);
CommandReply CmdReadParamBlock(DeviceLink device, std::uint8_t address);
ExchangeStatus CmdWriteCountryIndex(DeviceLink device, std::uint8_t address, std::uint8_t index);
CommandReply CmdReadCountryIndex(DeviceLink device, std::uint8_t address);
ExchangeStatus CmdSetModulation(DeviceLink device, std::uint8_t address, std::uint8_t value);
CommandReply CmdReadModulation(DeviceLink device, std::uint8_t address);

}  // namespace zelvane
