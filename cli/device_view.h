// The settings of a device as the command line shows them: the device as
// found, and what it holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "device/commands.h"
#include "params/param_block.h"
#include "session/device_session.h"

namespace zelvane::cli {

struct DeviceView {
  std::string port;
  std::uint8_t moduleAddress = 0;
  bool recognised = false;
  std::string revision;
  std::uint8_t country = kNoCountry;       // as stored
  std::optional<std::uint8_t> modulation;  // as read, when it was
  ParamBlock block{};
};

// The device the session found, holding these settings.
DeviceView ViewOf(const DeviceSession& session, std::uint8_t country,
                  std::optional<std::uint8_t> modulation, const ParamBlock& block);

}  // namespace zelvane::cli
