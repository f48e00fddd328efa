// The status every device command returns.
#pragma once

#include <cstdint>

namespace zelvane {

using ExchangeStatus = std::uint8_t;

constexpr ExchangeStatus kStatusOk = 0;
// 1 to 7: the device's own status field of the reply.
constexpr ExchangeStatus kStatusNotReady = 1;
constexpr ExchangeStatus kStatusBusy = 2;
constexpr ExchangeStatus kStatusMalfunction = 3;
constexpr ExchangeStatus kStatusBadFormat = 4;
constexpr ExchangeStatus kStatusBadParameter = 5;
// Failures of the link itself.
constexpr ExchangeStatus kStatusWriteTimeout = 101;
constexpr ExchangeStatus kStatusNoReadEvent = 102;
constexpr ExchangeStatus kStatusReadFailed = 103;
// The link was cancelled: nothing was sent.
constexpr ExchangeStatus kStatusCancelled = 104;

inline bool IsLinkFailure(ExchangeStatus status) {
  return status >= kStatusWriteTimeout;
}

}  // namespace zelvane
