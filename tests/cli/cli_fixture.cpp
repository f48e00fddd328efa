// The fixture's device states, built out of line: inlined into the tables
// of cases, the simulator's default module list trips a false
// -Wmaybe-uninitialized in GCC 12.
#include "cli_fixture.h"

namespace zelvane::testing {

sim::DeviceState Device(const DeviceSpec& spec) {
  sim::DeviceState state;
  state.country = spec.country;
  state.modulation = spec.modulation;
  state.block = spec.block;
  state.revision = spec.revision;
  return state;
}

}  // namespace zelvane::testing
