// What a command came to on one device: its exit code, its result for a
// person and as JSON, and what a summary of many devices tells of it.
#pragma once

#include <string>
#include <vector>

#include "cli/json.h"

namespace zelvane::cli {

struct DeviceOutcome {
  std::string port;
  int code = 0;
  std::string failure;  // why the command failed, when it did
  std::string text;     // the result for a person; empty when there is none
  std::string row;      // the result in one line, among many devices
  json::Value json;     // the result as JSON; null when there is none
  bool absent = false;  // --all: no device identified on this port
  bool written = false;
  bool verified = false;
  std::vector<std::string> report;  // the differences a verification found
};

// After a write or a load: the port, written or not, verified or not, and
// the differences reported or the failure, tab-separated.
std::string WriteRow(const DeviceOutcome& outcome);

// The worst of the codes, in the order the usage text gives.
int WorstCode(const std::vector<DeviceOutcome>& outcomes, bool interrupted);

}  // namespace zelvane::cli
