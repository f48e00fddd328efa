// The view takes the discovery state as it stands after the session's work.
#include "cli/device_view.h"

namespace zelvane::cli {

DeviceView ViewOf(const DeviceSession& session, std::uint8_t country,
                  std::optional<std::uint8_t> modulation, const ParamBlock& block) {
  const DiscoveryState& discovery = session.Discovery();
  return {session.PortName(), discovery.ModuleAddress, discovery.DeviceRecognised,
          discovery.Revision,  country,                 modulation,
          block};
}

}  // namespace zelvane::cli
