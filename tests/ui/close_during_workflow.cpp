// The program as main() builds it, closed by the user in the middle of a
// workflow: it must end through its message loop with exit code 0, send
// nothing after the close and leave the device's port free.
//
//   close_during_workflow connect|scan|write|verify
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <functional>
#include <string>

#include "simulated_device.h"
#include "ui/application.h"
#include "ui/settings_window.h"
#include "ui/table_window.h"

namespace sim = zelvane::sim;

namespace {

constexpr int kWatchMs = 5;
constexpr int kGiveUpMs = 60000;
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
  // True once the workflow is where the close should come.
  std::function<bool(const Bench& bench, const TSettings_Zelvane& window)> reached;
};

const Phase kPhases[] = {
    {"connect", false, false,
     [](const Bench& bench, const TSettings_Zelvane&) {
       return !bench.device.RequestsFor(zelvane::kCmdModules).empty();
     }},
    // While the silent port keeps the scan waiting, before the device.
    {"scan", true, false,
     [](const Bench& bench, const TSettings_Zelvane&) {
       return !bench.silent.Requests().empty();
     }},
    {"write", false, true,
     [](const Bench& bench, const TSettings_Zelvane&) {
       return !bench.device.RequestsFor(zelvane::kCmdWriteParamBlock).empty();
     }},
    {"verify", false, true,
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

void StartWorkflow(TSettings_Zelvane& window, const Phase& phase) {
  if (!phase.automatic) {
    Child<QAbstractButton>(window, "RadioButton2")->click();
    auto* ports = Child<QComboBox>(window, "ComboBox1");
    ports->setCurrentIndex(ports->count() - 1);
    emit ports->activated(ports->count() - 1);
  }
  Child<QAbstractButton>(window, "BitBtn2")->click();
  if (phase.write) Child<QAbstractButton>(window, "SpeedButton3")->click();
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
  TSettings_Zelvane settings(app.arguments(), [](const QString& text, const QString&) {
    qFatal("error box: %s", qPrintable(text));
  });
  TTableIF table;
  settings.AttachTableWindow(&table);
  settings.show();

  std::size_t requestsAtClose = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!settings.isVisible() || !phase->reached(bench, settings)) return;
    requestsAtClose = bench.Requests();
    settings.close();
  });
  watch.start(kWatchMs);
  QTimer::singleShot(kGiveUpMs, [] { std::_Exit(kHung); });
  QTimer::singleShot(0, [&] { StartWorkflow(settings, *phase); });

  const int code = app.exec();
  if (requestsAtClose == 0) {
    std::fprintf(stderr, "%s: the workflow ended before the close\n", phase->name);
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
