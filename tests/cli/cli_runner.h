// Runs zelvane-cli as a real process and names the simulated ports it is
// to use: the Linux build on the pseudo-terminals themselves, or (when the
// Wine driver sets ZELVANE_CLI_WINE_PORTS) the Windows build under Wine on
// COM ports mapped to them.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/simulator.h"

namespace zelvane::testing {

struct CliRun {
  int exitCode = -1;  // -1: it did not end in time, or did not end normally
  std::string out;
  std::string err;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

class CliRunner {
 public:
  CliRunner();

  // Runs the program with `arguments`; `environment` is added to the test's own.
  CliRun Run(const std::vector<std::string>& arguments, const Environment& environment = {}) const;
  // As Run, with the machine's own serial ports hidden (see isolated-ports).
  CliRun RunIsolated(const std::vector<std::string>& arguments,
                     const Environment& environment = {}) const;

  // As RunIsolated; once `when` holds (asked as the output comes in, and
  // every 100 ms), the program is sent `signal`.
  CliRun RunIsolatedAndSignal(const std::vector<std::string>& arguments,
                              const Environment& environment, const std::function<bool()>& when,
                              int signal) const;

  // The name under which the program reaches `device`; each call takes a
  // port of its own.
  std::string PortOf(const sim::Simulator& device);

  bool UnderWine() const { return !winePorts_.empty(); }

 private:
  struct Signal {
    std::function<bool()> when;
    int number;
  };
  CliRun Start(std::vector<std::string> command, const Environment& environment,
               const Signal& signal = {nullptr, 0}) const;
  static std::vector<std::string> Isolated(const std::vector<std::string>& arguments);

  std::string winePorts_;  // the folder of the COM ports' links, under Wine
  int nextWinePort_ = 0;
};

}  // namespace zelvane::testing
