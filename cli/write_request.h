// What write and load send: the settings the device holds, changed only
// where the user asked.
#pragma once

#include <cstdint>

#include "cli/settings_file.h"
#include "cli/values.h"
#include "session/device_session.h"

namespace zelvane::cli {

// The held block and country with the changes made: the channel's
// frequency into bytes 25 to 28 and the level's code into byte 19, as the
// window's channel buttons and level slider write them (the channel of the
// device's current plan, as in the window); `modulation` is sent as given.
WriteRequest ChangedSettings(const DeviceSettings& held, std::uint8_t modulation,
                             const Changes& changes);

// The block and country of a file, with `modulation`.
WriteRequest FileSettings(const SettingsRecord& record, std::uint8_t modulation);

}  // namespace zelvane::cli
