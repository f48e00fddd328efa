// The main window: a view of the device session, composed of its features
// (the status line, the connection group, the parameter editor, the write
// and its verification, the register table window). Their handlers read
// the controls and post requests to the session's thread; the window
// connects the steps and the results that come back to the features that
// show them.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "params/channel_plan.h"
#include "params/param_block.h"

namespace Ui {
class TSettings_Zelvane;
}

class ConnectionPanel;
class ParameterEditor;
class RequestGate;
class SessionThread;
class StatusLine;
class TTableIF;
class WriteVerification;
struct Captions;

class TSettings_Zelvane : public QWidget {
  Q_OBJECT

 public:
  // Shows a modal error box: text and title.
  using ErrorBox = std::function<void(const QString& text, const QString& title)>;
  static ErrorBox CriticalErrorBox();

  // `arguments` as QCoreApplication::arguments() gives them: the program
  // first, then the service switch.
  explicit TSettings_Zelvane(const QStringList& arguments, ErrorBox errorBox = CriticalErrorBox(),
                             QWidget* parent = nullptr);
  ~TSettings_Zelvane() override;

  void AttachTableWindow(TTableIF* table);
  void PlaceTableWindow();

  // State that the workflows share, readable for the tests.
  const zelvane::ParamBlock& Block() const;
  // Empty until the device's channel was first matched.
  const std::vector<zelvane::ChannelEntry>& CurrentPlan() const;
  bool EnglishCaptions() const { return englishCaptions_; }
  bool PortOpen() const;
  bool DeviceRecognised() const;

 signals:
  // A posted request (a port choice, a connect, a refresh, a write) has
  // ended and its result is shown.
  void RequestEnded();

 protected:
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Start-up and shut-down.
  void SetUpControls();
  void FormCreate(const QStringList& arguments);
  void FormClose();
  void ConnectSession();

  // Interface language.
  void SpeedButton5Click();
  void ApplyCaptions(const Captions& captions);
  void ApplyAccessibleNames(const Captions& captions);
  const Captions& CurrentCaptions() const;

  // Register table window.
  void SpeedButton2Click();
  void SpeedButton2MouseUp(Qt::MouseButton button);

  std::unique_ptr<Ui::TSettings_Zelvane> ui_;
  ErrorBox errorBox_;
  TTableIF* tableWindow_ = nullptr;
  bool englishCaptions_ = true;

  std::unique_ptr<RequestGate> gate_;
  std::unique_ptr<StatusLine> status_;
  std::unique_ptr<ParameterEditor> editor_;
  std::unique_ptr<ConnectionPanel> connection_;
  std::unique_ptr<WriteVerification> write_;
  // Last, so that it goes first: its thread has ended before the features
  // that its signals reach.
  std::unique_ptr<SessionThread> sessionThread_;
};
