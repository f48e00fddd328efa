// zelvane-bench-many: one load command over N simulated devices (N = 1, 5,
// 20), each loaded and verified, timed as a whole; prints time(N)/time(1).
// The devices work at once, so the ratio should stay near 1.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "sim/simulator.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDeviceCounts[] = {1, 5, 20};
constexpr char kFile[] = "/tmp/zelvane-bench-many.json";

// A file as save writes it: the default block with another level code.
void WriteSettingsFile() {
  std::ofstream(kFile) << "{\"version\": 1, \"modulation\": 64, \"country_index\": 0, \"block\": "
                          "\"00000000000100000820028438C14003000000980E4080000017B425A0\"}\n";
}

// Runs the command to its end; its exit code, -1 when it did not end normally.
int Run(std::vector<std::string> command) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    std::vector<char*> argv;
    for (std::string& word : command) argv.push_back(&word[0]);
    argv.push_back(nullptr);
    freopen("/dev/null", "w", stderr);
    freopen("/dev/null", "w", stdout);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double LoadSeconds(int count) {
  std::vector<std::unique_ptr<zelvane::sim::Simulator>> devices;
  std::vector<std::string> command = {ZELVANE_CLI_PROGRAM, "load", kFile};
  for (int i = 0; i < count; ++i) {
    devices.push_back(std::make_unique<zelvane::sim::Simulator>());
    command.insert(command.end(), {"--port", devices.back()->PortPath()});
  }
  const auto start = Clock::now();
  const int code = Run(command);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (code != 0) std::printf("  (N = %d: exit code %d)\n", count, code);
  return seconds;
}

}  // namespace

int main() {
  WriteSettingsFile();
  std::printf("load and verify, one command for N devices\n");
  double one = 0;
  for (const int count : kDeviceCounts) {
    const double seconds = LoadSeconds(count);
    if (count == 1) one = seconds;
    std::printf("N = %2d: %6.2f s   time(N)/time(1) = %.2f\n", count, seconds, seconds / one);
  }
  std::remove(kFile);
  return 0;
}
