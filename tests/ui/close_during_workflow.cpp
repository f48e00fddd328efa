// The program as main() builds it, closed by the user in the middle of a
// workflow: it must end through its message loop with exit code 0 within a
// few seconds, send nothing after the close and leave the device's port
// free.
//
//   close_during_workflow connect|scan|write|verify
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/command_codes.h"
#include "link/serial_port.h"
#include "simulated_device.h"
#include "ui/application.h"
#include "ui/settings_window.h"
#include "ui/table_window.h"

namespace sim = zelvane::sim;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWatchMs = 5;
constexpr int kGiveUpMs = 60000;
// From the close to the window's end, its session's thread joined: wide,
// against the 100 ms it should take.
constexpr auto kEndsWithin = std::chrono::seconds(3);
constexpr int kFailed = 1;
constexpr int kHung = 2;

// A silent port listed before the device.
struct Bench {
  Bench() { silent.SetDefaultReply(sim::Silence()); }
  std::size_t Requests() const { return silent.Requests().size() + device.Requests().size(); }

  zelvane::testing::SimulatedDevice silent;
  zelvane::testing::SimulatedDevice device;
};

struct Phase {
  const char* name;
  bool automatic;  // scan over the list, else connect on the chosen port
  bool write;      // press the write button once connected
  // The block reads the device sees: the read that ends the workflow
  // never goes out.
  std::size_t blockReads;
  // True once the workflow is where the close should come.
  std::function<bool(const Bench& bench, const TSettings_Zelvane& window)> reached;
};

const Phase kPhases[] = {
    {"connect", false, false, 0,
     [](const Bench& bench, const TSettings_Zelvane&) {
       return !bench.device.RequestsFor(zelvane::kCmdModules).empty();
     }},
    // While the silent port keeps the scan waiting, before the device.
    {"scan", true, false, 0,
     [](const Bench& bench, const TSettings_Zelvane&) {
       return !bench.silent.Requests().empty();
     }},
    {"write", false, true, 1,
     [](const Bench& bench, const TSettings_Zelvane&) {
       return !bench.device.RequestsFor(zelvane::kCmdWriteParamBlock).empty();
     }},
    {"verify", false, true, 1,
     [](const Bench& bench, const TSettings_Zelvane& window) {
       return !bench.device.RequestsFor(zelvane::kCmdWriteCountryIndex).empty() &&
              window.findChild<QLabel*>("Label5")->text().startsWith("Verify write data");
     }},
};

const Phase* FindPhase(const char* name) {
  for (const Phase& phase : kPhases) {
    if (std::string(name) == phase.name) return &phase;
  }
  return nullptr;
}

template <typename T>
T* Child(const QWidget& window, const char* name) {
  T* child = window.findChild<T*>(QLatin1String(name));
  if (child == nullptr) qFatal("no control %s", name);
  return child;
}

// What the user does in a phase; each step once the request posted by
// the one before it has ended.
std::vector<std::function<void()>> Steps(TSettings_Zelvane& window, const Phase& phase) {
  std::vector<std::function<void()>> steps;
  if (!phase.automatic) {
    steps.push_back([&window] {
      Child<QAbstractButton>(window, "RadioButton2")->click();
      auto* ports = Child<QComboBox>(window, "ComboBox1");
      ports->setCurrentIndex(ports->count() - 1);
      emit ports->activated(ports->count() - 1);
    });
  }
  steps.push_back([&window] { Child<QAbstractButton>(window, "BitBtn2")->click(); });
  if (phase.write) {
    steps.push_back([&window] { Child<QAbstractButton>(window, "SpeedButton3")->click(); });
  }
  return steps;
}

}  // namespace

int main(int argc, char** argv) {
  const Phase* phase = argc > 1 ? FindPhase(argv[1]) : nullptr;
  if (phase == nullptr) {
    std::fprintf(stderr, "usage: close_during_workflow connect|scan|write|verify\n");
    return kFailed;
  }
  Bench bench;
  qputenv("ZELVANE_PORTS", (bench.silent.PortPath() + ":" + bench.device.PortPath()).c_str());

  ZelvaneApplication app(argc, argv);
  TTableIF table;
  auto settings = std::make_unique<TSettings_Zelvane>(
      app.arguments(),
      [](const QString& text, const QString&) { qFatal("error box: %s", qPrintable(text)); });
  settings->AttachTableWindow(&table);
  settings->show();

  const std::vector<std::function<void()>> steps = Steps(*settings, *phase);
  std::size_t next = 0;
  const auto takeNextStep = [&] {
    if (settings->isVisible() && next < steps.size()) steps[next++]();
  };
  QObject::connect(settings.get(), &TSettings_Zelvane::RequestEnded, takeNextStep);

  std::size_t requestsAtClose = 0;
  bool outcomeShown = false;  // every outcome in the status line ends with '!'
  Clock::time_point closedAt;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!settings->isVisible() || !phase->reached(bench, *settings)) return;
    requestsAtClose = bench.Requests();
    outcomeShown = Child<QLabel>(*settings, "Label5")->text().endsWith(QLatin1Char('!'));
    closedAt = Clock::now();
    settings->close();
  });
  watch.start(kWatchMs);
  QTimer::singleShot(kGiveUpMs, [] { std::_Exit(kHung); });
  QTimer::singleShot(0, takeNextStep);

  const int code = app.exec();
  settings.reset();
  const auto ending = Clock::now() - closedAt;
  if (requestsAtClose == 0 || outcomeShown ||
      bench.device.RequestsFor(zelvane::kCmdReadParamBlock).size() != phase->blockReads) {
    std::fprintf(stderr, "%s: the workflow ended before the close\n", phase->name);
    return kFailed;
  }
  if (ending > kEndsWithin) {
    std::fprintf(stderr, "%s: the program took %lld ms to end after the close\n", phase->name,
                 static_cast<long long>(
                     std::chrono::duration_cast<std::chrono::milliseconds>(ending).count()));
    return kFailed;
  }
  const std::size_t requestsAfter = bench.Requests();
  // The request under way at the close may still be answered; none starts.
  if (requestsAfter != requestsAtClose) {
    std::fprintf(stderr, "%s: %zu requests after the close\n", phase->name,
                 requestsAfter - requestsAtClose);
    return kFailed;
  }
  if (!zelvane::OpenPort(bench.device.PortPath())) {
    std::fprintf(stderr, "%s: the device's port is still held\n", phase->name);
    return kFailed;
  }
  return code;
}
