// The channel buttons and the level controls: each rewrites its bytes of
// the parameter block and the matching grid cells; nothing is sent.
#include "params/format_value.h"
#include "params/level_text.h"
#include "ui/settings_window.h"
#include "ui/table_window.h"
#include "ui_settings_window.h"

QRadioButton* TSettings_Zelvane::ChannelButton(std::size_t row) const {
  return findChild<QRadioButton*>(QString::fromStdString(zelvane::ChannelButtonName(row)));
}

void TSettings_Zelvane::CheckChannelButton(std::size_t row) {
  ChannelButton(row)->setChecked(true);
}

void TSettings_Zelvane::SelectChannel(std::size_t row) {
  if (currentPlan_.empty()) return;
  const float megahertz = currentPlan_.at(row).FrequencyMHz;
  ui_->StaticText2->setText(QString::fromStdString(zelvane::FormatValue(megahertz)));
  zelvane::EncodeFrequency(megahertz, block_);
  if (tableWindow_ != nullptr) tableWindow_->FillGrid();
}

void TSettings_Zelvane::TrackBar1Change() { ApplyLevelPosition(); }

void TSettings_Zelvane::ApplyLevelPosition() {
  const int position = ui_->TrackBar1->value();
  ui_->UpDown1->SetPosition(position);
  ui_->TrackBar1->SetSelection(position, position);
  ui_->Edit1->setText(QString::fromStdString(
      zelvane::LevelTextForPosition(static_cast<std::size_t>(position))));
  zelvane::EncodeLevel(static_cast<std::size_t>(ui_->UpDown1->Position()), levelCodes_, block_);
  if (tableWindow_ != nullptr) {
    tableWindow_->SetCell(TTableIF::kLevelColumn, TTableIF::kLevelRow,
                          ByteText(block_[zelvane::kLevelCodeByte]));
  }
}

// The up-down keeps its own range (0 to 100): above 24 the slider stays put.
void TSettings_Zelvane::UpDown1Click() { ui_->TrackBar1->setValue(ui_->UpDown1->Position()); }

void TSettings_Zelvane::Edit1Change() { ApplyLevelText(); }

void TSettings_Zelvane::ApplyLevelText() {
  const std::optional<std::size_t> position =
      zelvane::LevelPositionForText(ui_->Edit1->text().toStdString());
  if (position) ui_->TrackBar1->setValue(static_cast<int>(*position));
}

void TSettings_Zelvane::ShowDecodedParameters() {
  const zelvane::DecodedParameters decoded = zelvane::DecodeParameters(block_, levelCodes_);
  installedFrequencyText_ = QString::fromStdString(decoded.frequencyText);
  ui_->Edit1->setText(QString::fromStdString(decoded.levelText));
  ui_->StaticText1->setText(installedFrequencyText_);
}
