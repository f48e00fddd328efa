// zelvane-bench-window: the longest time the settings window's event loop
// did not run, during an automatic search over silent ports and during a
// write and verification, against simulated devices. A 1 ms timer stands
// for the user's input: each gap between its ticks is a wait of the window.
#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "sim/simulator.h"
#include "ui/settings_window.h"
#include "ui/table_window.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSilentPorts = 3;
constexpr int kTickMs = 1;

// Records the longest gap between ticks while it runs.
class LoopWatch {
 public:
  LoopWatch() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const auto now = Clock::now();
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
  }
  void Start() {
    longest_ = {};
    last_ = Clock::now();
    timer_.start(kTickMs);
  }
  long long StopMs() {
    timer_.stop();
    return std::chrono::duration_cast<std::chrono::milliseconds>(longest_).count();
  }

 private:
  QTimer timer_;
  Clock::time_point last_;
  Clock::duration longest_{};
};

// Presses `button` and runs the event loop until the request it posted
// has ended.
void PressAndWait(TSettings_Zelvane& settings, QAbstractButton* button) {
  QEventLoop loop;
  QObject::connect(&settings, &TSettings_Zelvane::RequestEnded, &loop, &QEventLoop::quit);
  button->click();
  loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::vector<std::unique_ptr<zelvane::sim::Simulator>> silent;
  QStringList ports;
  for (int i = 0; i < kSilentPorts; ++i) {
    silent.push_back(std::make_unique<zelvane::sim::Simulator>());
    silent.back()->SetDefaultReply(zelvane::sim::Silence());
    ports << QString::fromStdString(silent.back()->PortPath());
  }
  zelvane::sim::Simulator device;
  ports << QString::fromStdString(device.PortPath());
  qputenv("ZELVANE_PORTS", ports.join(QLatin1Char(':')).toUtf8());

  TSettings_Zelvane settings(app.arguments(), [](const QString&, const QString&) {});
  TTableIF table;
  settings.AttachTableWindow(&table);
  settings.show();

  LoopWatch watch;
  watch.Start();
  PressAndWait(settings, settings.findChild<QPushButton*>(QStringLiteral("BitBtn2")));
  const long long searchMs = watch.StopMs();
  watch.Start();
  PressAndWait(settings, settings.findChild<QToolButton*>(QStringLiteral("SpeedButton3")));
  const long long writeMs = watch.StopMs();
  std::printf("longest wait of the window's event loop:\n");
  std::printf("  search over %d silent ports, then the device: %lld ms\n", kSilentPorts, searchMs);
  std::printf("  write and verification:                       %lld ms\n", writeMs);
  return 0;
}
