// What a write sends: the settings the device holds, changed only where
// the user asked, and the modulation rule for a device that may take none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "session/device_session.h"

namespace zelvane {

// What a write is to change; a field that is not given keeps what the
// device holds.
struct SettingsChange {
  std::optional<std::size_t> channelRow;     // a row of the device's current plan
  std::optional<std::size_t> levelPosition;  // a position of the level table
  std::optional<std::uint8_t> modulation;
  std::optional<std::uint8_t> country;
};

// The held block and country with the changes made: the channel's
// frequency into bytes 25 to 28 and the level's code into byte 19, as the
// window's channel buttons and level slider write them (the channel of the
// device's current plan); `modulation` is sent as given.
WriteRequest ChangedSettings(const DeviceSettings& held, std::uint8_t modulation,
                             const SettingsChange& change);

// The modulation to send: the one given, else the one read at discovery.
// A recognised device whose modulation could not be read gets none rather
// than a value nobody chose; an unrecognised one is sent no modulation at
// all, so any value serves.
std::optional<std::uint8_t> ModulationToSend(const DeviceSession& session,
                                             std::optional<std::uint8_t> given);

}  // namespace zelvane
