// The main window: a view of the device session. Its handlers read the
// controls and post requests to the session's thread; the steps and the
// results that come back are shown as they arrive. It owns the parameter
// block that the grid and the controls edit.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "params/channel_plan.h"
#include "params/param_block.h"
#include "session/connect_workflow.h"
#include "session/device_session.h"
#include "session/port_list.h"

namespace Ui {
class TSettings_Zelvane;
}

class QButtonGroup;
class QRadioButton;
class QTimer;
class SessionThread;
class TTableIF;
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
  const zelvane::ParamBlock& Block() const { return block_; }
  const QString& InstalledFrequencyText() const { return installedFrequencyText_; }
  // Empty until the device's channel was first matched.
  const std::vector<zelvane::ChannelEntry>& CurrentPlan() const { return currentPlan_; }
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
  void FormCreate(const QStringList& arguments);
  void FormClose();
  void ConnectHandlers();
  void ConnectSession();
  void ShowPorts(const std::vector<zelvane::ListedPort>& ports);
  void BuildCountryList();
  void ShowError(const QString& text, const QString& title) const;
  // The entries of the port list, each as the bytes of its port's name.
  std::string PortEntry(int index) const;
  std::vector<std::string> PortEntries() const;

  // One request at a time: the handlers refuse while one runs.
  void StartRequest();
  void EndRequest();

  // Interface language.
  void SpeedButton5Click();
  void ApplyCaptions(const Captions& captions);
  void ApplyAccessibleNames(const Captions& captions);
  const Captions& CurrentCaptions() const;

  // Connection control.
  void RadioButton1Click();
  void RadioButton2Click();
  void ComboBox1Click();
  void ShowPortChoice(const zelvane::PortChoiceResult& result);
  void SpeedButton1Click();
  void ShowRefreshedPorts(const std::vector<zelvane::ListedPort>& ports);
  void BitBtn2Click();
  void SpeedButton4Click();
  void Timer1Timer();
  void EndDiscovery(const zelvane::Identification& identification);
  void ShowConnection(const zelvane::ConnectResult& result);
  void SetConnectionLocked(bool locked);
  void ShowDeviceSettings(const zelvane::DeviceSettings& settings);
  void SetStatus(const QString& text);
  void ShowStatusExplanation(const QString& explanation);
  void AppendStatus(const QString& text);
  void ApplyModulation(std::optional<std::uint8_t> modulation);
  void SelectCountry(std::uint8_t stored);
  std::uint8_t SelectedCountry() const;
  void MatchInstalledChannel();

  // Register table window.
  void SpeedButton2Click();
  void SpeedButton2MouseUp(Qt::MouseButton button);

  // Parameter editing.
  void SelectChannel(std::size_t row);
  void CheckChannelButton(std::size_t row);
  void TrackBar1Change();
  void ApplyLevelPosition();
  void UpDown1Click();
  void Edit1Change();
  void ApplyLevelText();
  void ShowDecodedParameters();
  QRadioButton* ChannelButton(std::size_t row) const;

  // Writing and verifying.
  void SpeedButton3Click();
  void WriteParameters();
  bool TakeBlockFromGrid();
  void SetWriteLocked(bool locked);
  void SetEditingEnabled(bool enabled);
  void WritingStarted();
  void WritingEnded(bool written);
  void VerificationStarted();
  void ModulationReadBackStarted();
  void VerificationReadsEnded();
  void ShowWritten(const zelvane::WriteRequest& written, const zelvane::WriteOutcome& outcome);
  void ShowVerification(const zelvane::Verification& verification, std::uint8_t countryBefore);
  void ShowVerificationReport(const zelvane::WriteRequest& written,
                              const zelvane::Verification& verification);

  std::unique_ptr<Ui::TSettings_Zelvane> ui_;
  ErrorBox errorBox_;
  TTableIF* tableWindow_ = nullptr;
  QTimer* timer1_ = nullptr;
  // The controls that would change the port, locked while a workflow
  // runs, with their states.
  std::vector<std::pair<QWidget*, bool>> lockedWhileBusy_;
  QButtonGroup* channelGroup_ = nullptr;

  zelvane::ParamBlock block_{};
  zelvane::LevelCodes levelCodes_{};
  QString installedFrequencyText_;
  std::vector<zelvane::ChannelEntry> currentPlan_;
  bool englishCaptions_ = true;
  bool requestRunning_ = false;
  // Last, so that it goes first: its thread has ended before the widgets
  // that its signals reach.
  std::unique_ptr<SessionThread> sessionThread_;
};
