// The simulated device a test talks to: on a pseudo-terminal of its own on
// Linux; under Wine, run by zelvane-sim-host on a mapped COM port.
#pragma once

#ifdef _WIN32
#include "remote_simulator.h"
#else
#include "sim/simulator.h"
#endif

namespace zelvane::testing {

#ifdef _WIN32
using SimulatedDevice = sim::RemoteSimulator;
#else
using SimulatedDevice = sim::Simulator;
#endif

}  // namespace zelvane::testing
