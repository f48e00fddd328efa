// A device that failed before its write shows why in place of the report.
#include "cli/device_outcome.h"

#include <algorithm>

#include "cli/exit_codes.h"

namespace zelvane::cli {

int WorstCode(const std::vector<DeviceOutcome>& outcomes, bool interrupted) {
  if (interrupted) return kExitInterrupted;
  for (const int code : kExitOrder) {
    if (std::any_of(outcomes.begin(), outcomes.end(),
                    [code](const DeviceOutcome& o) { return o.code == code; })) {
      return code;
    }
  }
  return kExitOk;
}

std::string WriteRow(const DeviceOutcome& outcome) {
  std::string row = outcome.port + "\t" + (outcome.written ? "written" : "not written") + "\t" +
                    (outcome.verified ? "verified" : "not verified");
  if (!outcome.report.empty()) {
    for (std::size_t i = 0; i < outcome.report.size(); ++i) {
      row += (i == 0 ? "\t" : "; ") + outcome.report[i];
    }
  } else if (!outcome.failure.empty()) {
    row += "\t" + outcome.failure.substr(0, outcome.failure.find('\n'));
  }
  return row;
}

}  // namespace zelvane::cli
