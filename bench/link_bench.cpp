// zelvane-bench: how long the link's operations take against the simulated
// device on a pseudo-terminal, beside the floor the protocol's own time-outs
// set, and the CPU a silent read uses.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/discovery.h"
#include "sim/simulator.h"

namespace {

using namespace zelvane;
using Clock = std::chrono::steady_clock;

constexpr int kRepeats = 5;
constexpr int kSilentPorts = 4;
constexpr std::uint8_t kRf = 2;
// A read ends this long after a reply's last byte, and a silent port costs
// a whole read of 75 bytes.
constexpr double kReplyFloorMs = kReadIntervalTimeoutMs;
constexpr double kSilentFloorMs = kReadTotalMultiplierMs * 75 + kReadTotalConstantMs;
// Identification is three answered exchanges: modules, revision, modulation.
constexpr double kIdentifyFloorMs = 3 * kReplyFloorMs;

double MedianMs(const std::function<void()>& run, int repeats) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    const auto start = Clock::now();
    run();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double worst = 0;

void Report(const char* what, double measuredMs, double floorMs) {
  const double overhead = 100.0 * (measuredMs - floorMs) / floorMs;
  worst = std::max(worst, overhead);
  std::printf("%-34s %8.1f ms   floor %7.1f ms   overhead %5.2f%%\n", what, measuredMs, floorMs,
              overhead);
}

}  // namespace

int main() {
  Link link([](const std::string&) {});
  sim::Simulator device;
  PortHandle port = OpenPort(device.PortPath());
  if (!port) {
    std::fprintf(stderr, "zelvane-bench: cannot open %s\n", device.PortPath().c_str());
    return 1;
  }
  const DeviceLink deviceLink{link, *port};

  Report("CmdReadParamBlock", MedianMs([&] { CmdReadParamBlock(deviceLink, kRf); }, kRepeats),
         kReplyFloorMs);

  DiscoveryState state;
  Report("IdentifyDevice", MedianMs([&] { IdentifyDevice(deviceLink, state); }, kRepeats),
         kIdentifyFloorMs);
  port.reset();

  std::vector<std::unique_ptr<sim::Simulator>> silent;
  std::vector<std::string> entries;
  for (int i = 0; i < kSilentPorts; ++i) {
    silent.push_back(std::make_unique<sim::Simulator>());
    silent.back()->SetDefaultReply(sim::Silence());
    entries.push_back(silent.back()->PortPath());
  }
  entries.push_back(device.PortPath());
  Report("ScanPorts, 4 silent then device",
         MedianMs([&] { ScanPorts(link, entries, port, state, {}); port.reset(); }, 1),
         kSilentPorts * kSilentFloorMs + kIdentifyFloorMs);

  PortHandle quiet = OpenPort(entries.front());
  std::uint8_t buffer[kMaxReplyRead];
  const double cpuBefore = CpuMs();
  const double silentMs = MedianMs([&] { quiet->Read(buffer, sizeof buffer); }, 1);
  std::printf("%-34s %8.1f ms   CPU %.3f ms\n", "silent read", silentMs, CpuMs() - cpuBefore);

  std::printf("worst overhead over protocol floor: %.1f%%\n", worst);
  return 0;
}
