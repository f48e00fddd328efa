// The two real windows, as the program creates them, on the ports given,
// with the error boxes recorded instead of shown.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <utility>

#include "link/reply.h"
#include "simulated_device.h"
#include "ui/settings_window.h"
#include "ui/table_window.h"
#include "ui/track_bar.h"
#include "ui/up_down.h"

// Lets a test's data table hold the reply a device gives.
Q_DECLARE_METATYPE(zelvane::sim::ReplyScript)

namespace zelvane::testing {

// Wide: a scan over silent ports and a write with its pauses take seconds.
constexpr int kRequestDeadlineMs = 60000;

struct ErrorBoxRecord {
  QString text;
  QString title;
};

// The port list as bytes, for paths that are not UTF-8.
struct PortBytes {
  explicit PortBytes(QByteArray bytes) : paths(std::move(bytes)) {}
  QByteArray paths;
};

class Windows {
 public:
  explicit Windows(const QStringList& ports, const QStringList& arguments = {"zelvane-settings"})
      : Windows(PortBytes{ports.join(QLatin1Char(':')).toUtf8()}, arguments) {}
  explicit Windows(const PortBytes& ports, const QStringList& arguments = {"zelvane-settings"}) {
    qputenv("ZELVANE_PORTS", ports.paths);
    settings = std::make_unique<TSettings_Zelvane>(
        arguments, [this](const QString& text, const QString& title) {
          errors.push_back({text, title});
        });
    table = std::make_unique<TTableIF>();
    settings->AttachTableWindow(table.get());
    settings->show();
  }

  template <typename T>
  T* get(const char* name) const {
    T* child = settings->findChild<T*>(QLatin1String(name));
    if (child == nullptr) qFatal("no control %s", name);
    return child;
  }
  QLabel* label(const char* name) const { return get<QLabel>(name); }
  QAbstractButton* button(const char* name) const { return get<QAbstractButton>(name); }
  QString status() const { return label("Label5")->text(); }

  // Each presses its control and waits until the request it posts to the
  // session has ended and its outcome is shown; false when it did not end
  // within the deadline.
  bool Connect() { return Await([this] { button("BitBtn2")->click(); }); }
  bool Write() { return Await([this] { button("SpeedButton3")->click(); }); }
  bool Refresh() { return Await([this] { button("SpeedButton1")->click(); }); }
  bool ChoosePort(int index) { return Await([this, index] { PickPort(index); }); }

  // Chooses a port of the list as the user does, and returns at once.
  void PickPort(int index) {
    auto* ports = get<QComboBox>("ComboBox1");
    ports->setCurrentIndex(index);
    emit ports->activated(index);
  }

  template <typename Action>
  bool Await(Action action) {
    QSignalSpy ended(settings.get(), &TSettings_Zelvane::RequestEnded);
    action();
    return !ended.isEmpty() || ended.wait(kRequestDeadlineMs);
  }

  std::vector<ErrorBoxRecord> errors;
  std::unique_ptr<TSettings_Zelvane> settings;
  std::unique_ptr<TTableIF> table;
};

// A simulated device whose replies fill the link's whole read, so that a
// read ends with the reply instead of at the interval time-out after it:
// the same exchanges, without 300 ms of silence each. The link takes
// nothing past a reply's frame.
class QuickDevice : public SimulatedDevice {
 public:
  explicit QuickDevice(sim::DeviceState state = {}) : SimulatedDevice(std::move(state)) {
    SetDefaultReply(sim::PaddedTo(kMaxReplyRead));
  }
};

inline QString Port(const SimulatedDevice& simulator) {
  return QString::fromStdString(simulator.PortPath());
}

}  // namespace zelvane::testing
