// The held country byte goes back as it is, 255 included: a device that
// stores no country keeps storing none unless one is given.
#include "session/write_request.h"

#include "device/modulation.h"
#include "params/country_selection.h"
#include "params/level_table.h"
#include "params/param_block.h"

namespace zelvane {

WriteRequest ChangedSettings(const DeviceSettings& held, std::uint8_t modulation,
                             const SettingsChange& change) {
  WriteRequest request{held.block, modulation, change.country.value_or(held.country)};
  if (change.channelRow) {
    EncodeFrequency(CurrentPlan(held.country).at(*change.channelRow).FrequencyMHz, request.block);
  }
  if (change.levelPosition) EncodeLevel(*change.levelPosition, BuildLevelCodes(), request.block);
  return request;
}

std::optional<std::uint8_t> ModulationToSend(const DeviceSession& session,
                                             std::optional<std::uint8_t> given) {
  if (given) return given;
  if (!session.Discovery().DeviceRecognised) return kModulationQam32;
  return session.FoundModulation();
}

}  // namespace zelvane
