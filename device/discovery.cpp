// Identification of the RF module and the scan over the listed ports.
#include "device/discovery.h"

#include <algorithm>

namespace zelvane {

Identification IdentifyDevice(DeviceLink device, DiscoveryState& state) {
  Identification identification;
  const ModuleList list = CmdListModules(device);
  if (list.status != kStatusOk) return identification;
  const auto types_end = list.types.begin() + list.count;
  const auto rf = std::find(list.types.begin(), types_end, kRfModuleType);
  if (rf == types_end) return identification;

  identification.result = kFound;
  state.ModuleAddress = list.addresses[rf - list.types.begin()];
  state.Revision = CmdReadRevision(device, state.ModuleAddress);
  state.DeviceRecognised = state.Revision == kExpectedRevision;
  if (state.DeviceRecognised) {
    identification.modulation = CmdReadModulation(device, state.ModuleAddress).DataByte();
  }
  return identification;
}

Identification ScanPorts(Link& link, const std::vector<std::string>& entries, PortHandle& port,
                         DiscoveryState& state, const MessagePump& pump,
                         const PortVisit& visit) {
  // A break belongs to the scan it was pressed in.
  state.BreakScanRequest = false;
  for (const std::string& entry : entries) {
    port = OpenPort(entry);
    if (!port) continue;
    if (state.BreakScanRequest) {
      port.reset();
      if (pump) pump();
      return {kScanBroken, std::nullopt};
    }
    if (pump) pump();
    if (visit) visit(entry);
    Identification identification = IdentifyDevice({link, *port}, state);
    if (identification.result == kFound) return identification;
    port.reset();
  }
  return {};
}

}  // namespace zelvane
