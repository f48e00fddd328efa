// The device's eight operations, each one exchange (two of them repeated)
// with the RF module or the module list address.
#pragma once

#include <array>
#include <cstdint>
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
  std::array<std::uint8_t, kCommandBodySize> body{};
  std::int32_t bodyLength = 0;
  ExchangeStatus status = kStatusReadFailed;

  bool HasBody() const { return !IsLinkFailure(status); }
  // Reply data begins at body offset 5; 0 when the reply has none there.
  std::uint8_t DataByte() const { return body[kBodyDataOffset]; }
};

struct ModuleList {
  std::array<std::uint8_t, kMaxModules> types{};
  std::array<std::uint8_t, kMaxModules> addresses{};
  ExchangeStatus status = kStatusReadFailed;
  std::uint16_t count = 0;
};

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
