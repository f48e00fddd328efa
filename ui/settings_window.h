// The main window: a view of the device session. Its handlers read the
// controls, run the session's workflows and show their steps and results;
// it owns the parameter block that the grid and the controls edit.
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
#include "session/device_session.h"

namespace Ui {
class TSettings_Zelvane;
}

class QButtonGroup;
class QRadioButton;
class QTimer;
class QueuedObserver;
class TTableIF;
class WorkflowThread;
struct Captions;

class TSettings_Zelvane : public QWidget, private zelvane::SessionObserver {
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
  const zelvane::DiscoveryState& Discovery() const { return session_->Discovery(); }
  const QString& InstalledFrequencyText() const { return installedFrequencyText_; }
  const std::vector<zelvane::ChannelEntry>* CurrentPlan() const { return currentPlan_; }
  bool EnglishCaptions() const { return englishCaptions_; }
  bool PortOpen() const { return session_->PortOpen(); }

 protected:
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Start-up and shut-down.
  void FormCreate(const QStringList& arguments);
  void FormClose();
  void ConnectHandlers();
  void ListPorts();
  void BuildCountryList();
  void ShowError(const QString& text, const QString& title) const;
  // The entries of the port list, each as the bytes of its port's name.
  std::string PortEntry(int index) const;
  std::vector<std::string> PortEntries() const;

  // What the window shows of a running workflow, handed over to the
  // window's thread by queuedObserver_.
  void WritingStarted() override;
  void WritingEnded(bool written) override;
  void VerificationStarted() override;
  void ModulationReadBackStarted() override;
  void ModulationReadBack(std::optional<std::uint8_t> modulation) override;
  void VerificationReadsEnded() override;

  // Interface language.
  void SpeedButton5Click();
  void ApplyCaptions(const Captions& captions);
  void ApplyAccessibleNames(const Captions& captions);
  const Captions& CurrentCaptions() const;

  // Connection control.
  void RadioButton1Click();
  void RadioButton2Click();
  void ComboBox1Click();
  std::uint16_t ConnectSelectedPort();
  void SpeedButton1Click();
  void BitBtn2Click();
  void SpeedButton4Click();
  void Timer1Timer();
  zelvane::Identification RunSearch();
  void SetConnectionLocked(bool locked);
  bool ReadDeviceSettings();
  void SetStatus(const QString& text);
  void ShowStatusExplanation(const QString& explanation);
  void AppendStatus(const QString& text);
  void ApplyModulation(std::optional<std::uint8_t> modulation);
  void SelectCountry(std::uint8_t stored);
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
  void SetEditingEnabled(bool enabled);
  void ShowVerification(const zelvane::Verification& verification, int countryBefore);
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

  // The session's workflows run on workflowThread_; its steps reach the
  // window through queuedObserver_.
  WorkflowThread* workflowThread_ = nullptr;
  std::unique_ptr<QueuedObserver> queuedObserver_;
  std::unique_ptr<zelvane::DeviceSession> session_;
  zelvane::ParamBlock block_{};
  zelvane::LevelCodes levelCodes_{};
  QString installedFrequencyText_;
  std::vector<zelvane::ChannelPlan> countryPlans_;
  const std::vector<zelvane::ChannelEntry>* currentPlan_ = nullptr;
  bool englishCaptions_ = true;
};
