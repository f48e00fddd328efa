// The main window: owner of the port, the device's parameter block and all
// other run-time state; its handlers carry out every workflow of the tool.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "device/discovery.h"
#include "link/exchange.h"
#include "params/channel_plan.h"
#include "params/param_block.h"

namespace Ui {
class TSettings_Zelvane;
}

class QButtonGroup;
class QRadioButton;
class QTimer;
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
  const zelvane::DiscoveryState& Discovery() const { return discovery_; }
  const QString& InstalledFrequencyText() const { return installedFrequencyText_; }
  const std::vector<zelvane::ChannelEntry>* CurrentPlan() const { return currentPlan_; }
  bool EnglishCaptions() const { return englishCaptions_; }
  bool PortOpen() const { return port_ != nullptr; }

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
  void PumpMessages() const;
  void Pause(int times, int sleepMs) const;

  // Interface language.
  void SpeedButton5Click();
  void ApplyCaptions(const Captions& captions);
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
  void SetSearching(bool searching);
  bool ReadDeviceSettings();
  void AppendStatus(const QString& text);
  void ApplyModulation(std::optional<std::uint8_t> modulation);
  void SelectCountry(std::uint8_t stored);
  void MatchInstalledChannel();
  zelvane::DeviceLink Device();

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
  void VerifyParameters();
  void ReadBackModulation();

  std::unique_ptr<Ui::TSettings_Zelvane> ui_;
  ErrorBox errorBox_;
  TTableIF* tableWindow_ = nullptr;
  QTimer* timer1_ = nullptr;
  // The connection controls locked while a search runs, with their states.
  std::vector<std::pair<QWidget*, bool>> lockedDuringSearch_;
  QButtonGroup* channelGroup_ = nullptr;

  std::unique_ptr<zelvane::Link> link_;
  zelvane::PortHandle port_;
  zelvane::DiscoveryState discovery_;
  zelvane::ParamBlock block_{};
  zelvane::LevelCodes levelCodes_{};
  QString installedFrequencyText_;
  std::vector<zelvane::ChannelPlan> countryPlans_;
  const std::vector<zelvane::ChannelEntry>* currentPlan_ = nullptr;
  bool englishCaptions_ = true;
};
