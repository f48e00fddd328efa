// Writing the grid's block, the modulation and the country to the device,
// then reading them back and comparing.
#include <QButtonGroup>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

#include "params/cell_value.h"
#include "ui/captions.h"
#include "ui/settings_window.h"
#include "ui/status_texts.h"
#include "ui/table_window.h"
#include "ui_settings_window.h"

namespace {

const QString kSetParametersText = QStringLiteral("Set parameters..");
const QString kVerifyText = QStringLiteral("Verify write data..");
const QString kVerifyingFrequencyText = QStringLiteral("ver");
const QString kVerifyingCountryText = QStringLiteral("Verification");
const QString kVerifyErrorText = QStringLiteral("..ERROR!");
const QString kBadCellText = QStringLiteral("'%1' is not a valid integer value");
const QString kBadCellTitle = QStringLiteral("Error");

// The pauses that let the device settle, each letting the window breathe.
constexpr int kBeforeWriteSteps = 20;
constexpr int kBeforeWriteSleepMs = 50;
constexpr int kAfterWriteSteps = 100;
constexpr int kAfterWriteSleepMs = 10;
constexpr int kBeforeVerifySteps = 20;
constexpr int kBeforeVerifySleepMs = 50;

// TV1 to TV6 are unchecked while the device is read back.
constexpr std::size_t kUncheckedDuringVerify = 6;

}  // namespace

void TSettings_Zelvane::SpeedButton3Click() { WriteParameters(); }

// What is compared must be what was sent: nothing may edit the block or
// the grid in the middle. The language button stays live.
void TSettings_Zelvane::SetEditingEnabled(bool enabled) {
  for (QWidget* widget : {static_cast<QWidget*>(ui_->GroupBox4), static_cast<QWidget*>(ui_->GroupBox1),
                          static_cast<QWidget*>(ui_->TrackBar1), static_cast<QWidget*>(ui_->UpDown1),
                          static_cast<QWidget*>(ui_->Edit1), static_cast<QWidget*>(ui_->ComboBoxEx1)}) {
    widget->setEnabled(enabled);
  }
  if (tableWindow_ != nullptr) tableWindow_->Grid()->setEnabled(enabled);
}

// Bytes already taken stay in the block when a later cell is unreadable.
bool TSettings_Zelvane::TakeBlockFromGrid() {
  for (int row = 0; row < TTableIF::kRows; ++row) {
    for (int column = 1; column < TTableIF::kColumns; ++column) {
      const std::size_t index = TTableIF::BlockByteOf(column, row);
      if (index >= block_.size()) continue;
      const QString text = tableWindow_->Cell(column, row);
      const std::optional<std::uint8_t> byte = zelvane::ParseCellByte(text.toStdString());
      if (!byte) {
        ShowError(kBadCellText.arg(QLatin1String(zelvane::kCellHexPrefix) + text), kBadCellTitle);
        return false;
      }
      block_[index] = *byte;
    }
  }
  return true;
}

void TSettings_Zelvane::WriteParameters() {
  if (!port_ || tableWindow_ == nullptr) return;
  ui_->SpeedButton3->setEnabled(false);
  SetEditingEnabled(false);
  if (TakeBlockFromGrid()) {
    ui_->Label5->setText(kSetParametersText);
    timer1_->start();
    Pause(kBeforeWriteSteps, kBeforeWriteSleepMs);
    const std::uint8_t address = discovery_.ModuleAddress;
    bool written = zelvane::CmdWriteParamBlock(Device(), address, block_) == zelvane::kStatusOk;
    if (discovery_.DeviceRecognised) {
      const std::uint8_t modulation = ui_->RadioButton24->isChecked() ? 1 : 0;
      written &= zelvane::CmdSetModulation(Device(), address, modulation) == zelvane::kStatusOk;
    }
    // No country selected is index -1, stored as 255 (none).
    const auto country = static_cast<std::uint8_t>(ui_->ComboBoxEx1->currentIndex());
    written &= zelvane::CmdWriteCountryIndex(Device(), address, country) == zelvane::kStatusOk;
    timer1_->stop();
    AppendStatus(written ? kStatusOkText : kStatusErrorText);
    Pause(kAfterWriteSteps, kAfterWriteSleepMs);
    VerifyParameters();
  }
  SetEditingEnabled(true);
  ui_->SpeedButton3->setEnabled(true);
}

void TSettings_Zelvane::ReadBackModulation() {
  ui_->RadioButton23->setEnabled(false);
  ui_->RadioButton24->setEnabled(false);
  ApplyModulation(zelvane::CmdReadModulation(Device(), discovery_.ModuleAddress).DataByte());
}

// A read that failed or came short is a failed verification, and none of
// its bytes are used: block and country keep what they held.
void TSettings_Zelvane::VerifyParameters() {
  const int countryBefore = ui_->ComboBoxEx1->currentIndex();
  ui_->Label5->setText(kVerifyText);
  ui_->StaticText1->setText(kVerifyingFrequencyText);
  ui_->ComboBoxEx1->setCurrentIndex(-1);
  ui_->ComboBoxEx1->setPlaceholderText(kVerifyingCountryText);
  timer1_->start();
  channelGroup_->setExclusive(false);
  for (std::size_t row = 0; row < kUncheckedDuringVerify; ++row) ChannelButton(row)->setChecked(false);
  channelGroup_->setExclusive(true);
  Pause(kBeforeVerifySteps, kBeforeVerifySleepMs);

  const std::uint8_t address = discovery_.ModuleAddress;
  if (discovery_.DeviceRecognised) ReadBackModulation();
  const std::optional<std::uint8_t> country =
      zelvane::CmdReadCountryIndex(Device(), address).DataByte();
  const std::optional<zelvane::ParamBlock> readBack =
      zelvane::WholeBlock(zelvane::CmdReadParamBlock(Device(), address));
  timer1_->stop();

  const bool verified = readBack && *readBack == block_;
  AppendStatus(verified ? kStatusOkText : kVerifyErrorText);

  if (country) SelectCountry(*country);
  else ui_->ComboBoxEx1->setCurrentIndex(countryBefore);
  ui_->ComboBoxEx1->setPlaceholderText(CurrentCaptions().countryPrompt);
  if (!readBack) {
    ui_->StaticText1->setText(installedFrequencyText_);
    return;
  }
  block_ = *readBack;
  ShowDecodedParameters();
  MatchInstalledChannel();
}
