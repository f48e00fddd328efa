// Finding the device, as the window's Connect does, and reading what it
// holds.
#pragma once

#include <optional>
#include <string>

#include "cli/progress.h"
#include "session/device_session.h"

namespace zelvane::cli {

struct Connection {
  std::optional<DeviceSettings> settings;  // the device's, when it was found and read
  std::string failure;                     // why not, for a person
  // The port was busy, would not open or no device answered on it.
  bool noDeviceThere = false;
};

// On `port` (ChoosePort, then Identify), or without it by the automatic
// scan over the listed ports; then the settings.
Connection Connect(DeviceSession& session, const std::optional<std::string>& port,
                   Progress& progress);

}  // namespace zelvane::cli
