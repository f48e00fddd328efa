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
                         DiscoveryState& state, const ScanBreak& BreakScanRequest,
                         const PortVisit& visit) {
  for (const std::string& entry : entries) {
    port = OpenPort(entry);
    if (!port) continue;
    if (BreakScanRequest) {
      port.reset();
      return {kScanBroken, std::nullopt};
    }
    if (visit) visit(entry);
    Identification identification = IdentifyDevice({link, *port}, state);
    // An identification that a break cut short found nothing for sure.
    if (identification.result == kFound && !link.Interrupted()) return identification;
    port.reset();
  }
  return {};
}

}  // namespace zelvane
