// A simulated device on a pseudo-terminal with an open port and a link
// whose debugger lines are captured.
#pragma once

#include <string>
#include <vector>

#include "device/commands.h"
#include "link/exchange.h"
#include "sim/simulator.h"

namespace zelvane::testing {

struct SimLink {
  explicit SimLink(sim::DeviceState state = {})
      : sim(std::move(state)),
        link([this](const std::string& line) { debug.push_back(line); }),
        port(OpenPort(sim.PortPath())) {}

  DeviceLink device() { return {link, *port}; }

  sim::Simulator sim;
  std::vector<std::string> debug;
  Link link;
  PortHandle port;
};

}  // namespace zelvane::testing
