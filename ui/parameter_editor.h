// The parameter group: the block that the grid and the controls edit, the
// country and its channel plan, the channel buttons, the level controls
// and the modulation buttons. Each control rewrites its bytes of the block
// and the grid's cells; nothing is sent from here.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "params/channel_plan.h"
#include "params/level_table.h"
#include "params/param_block.h"
#include "session/block_comparison.h"
#include "session/device_session.h"

namespace Ui {
class TSettings_Zelvane;
}

class QButtonGroup;
class QRadioButton;
class QWidget;
class TTableIF;

class ParameterEditor : public QObject {
  Q_OBJECT

 public:
  using ErrorBox = std::function<void(const QString& text, const QString& title)>;

  // `window` holds the form's controls.
  ParameterEditor(Ui::TSettings_Zelvane& ui, QWidget* window, ErrorBox errorBox);

  void AttachTable(TTableIF* table);
  bool HasTable() const { return table_ != nullptr; }

  const zelvane::ParamBlock& Block() const { return block_; }
  // Empty until the device's channel was first matched.
  const std::vector<zelvane::ChannelEntry>& CurrentPlan() const { return currentPlan_; }

  // What a connection read, shown.
  void ShowSettings(const zelvane::DeviceSettings& settings);
  // Nothing changes without a modulation.
  void ApplyModulation(std::optional<std::uint8_t> modulation);
  // Checks the channel button of the installed frequency in the plan of
  // the country selected.
  void MatchInstalledChannel();

  // What a write sends; the grid's cells go into the block first, and an
  // unreadable one is shown in an error box and stops it.
  bool TakeBlockFromGrid();
  std::uint8_t SelectedCountry() const;
  std::uint8_t ChosenModulation() const;
  void SetEditingEnabled(bool enabled);

  // The read-back: its placeholders while it runs, then what it brought.
  void ShowVerifying();
  void LockModulation();
  void ShowReadBack(const zelvane::Verification& verification, std::uint8_t countryBefore,
                    const QString& countryPrompt);
  void MarkDifferences(const std::vector<zelvane::ByteDifference>& differences);
  void ClearMarks();

 private:
  void ConnectControls();
  void BuildCountryList();
  void SelectCountry(std::uint8_t stored);
  QRadioButton* ChannelButton(std::size_t row) const;
  void CheckChannelButton(std::size_t row);
  void SelectChannel(std::size_t row);
  void TrackBar1Change();
  void ApplyLevelPosition();
  void UpDown1Click();
  void Edit1Change();
  void ApplyLevelText();
  void ShowDecodedParameters();

  Ui::TSettings_Zelvane& ui_;
  QWidget* window_;
  ErrorBox errorBox_;
  TTableIF* table_ = nullptr;
  QButtonGroup* channelGroup_;
  zelvane::ParamBlock block_{};
  zelvane::LevelCodes levelCodes_{};
  QString installedFrequencyText_;
  std::vector<zelvane::ChannelEntry> currentPlan_;
};
