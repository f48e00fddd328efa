// zelvane-cli: the device's settings from the command line, through the
// same session as the window. Usage errors are refused before any port is
// opened.
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "cli/values.h"

namespace {

int UsageError(const std::string& why) {
  std::cerr << "zelvane-cli: " << why << "\nRun 'zelvane-cli --help' for the commands.\n";
  return zelvane::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zelvane;
  using namespace zelvane::cli;
  PrepareConsole();
  const ParsedArguments parsed = ParseArguments(CommandWords(argc, argv));
  if (!parsed.invocation) return UsageError(parsed.error);
  if (parsed.invocation->command == Command::Help) {
    std::cout << kUsage;
    return kExitOk;
  }
  const Parsed<SettingsChange> changes = ParseChanges(*parsed.invocation);
  if (!changes.value) return UsageError(changes.error);
  return RunCommand(*parsed.invocation, *changes.value, std::cout, std::cerr);
}
