#include "ui/parameter_editor.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QTableWidget>

#include "device/modulation.h"
#include "params/cell_value.h"
#include "params/country_selection.h"
#include "params/format_value.h"
#include "params/level_text.h"
#include "session/verification_report.h"
#include "ui/glyphs.h"
#include "ui/table_window.h"
#include "ui_settings_window.h"

namespace {

const QString kVerifyingFrequencyText = QStringLiteral("ver");
const QString kVerifyingCountryText = QStringLiteral("Verification");
const QString kBadCellText = QStringLiteral("'%1' is not a valid integer value");
const QString kBadCellTitle = QStringLiteral("Error");

// TV1 to TV6 are unchecked while the device is read back.
constexpr std::size_t kUncheckedDuringVerify = 6;

// The country box's index of a stored country: none is no selection.
int CountryBoxIndex(std::uint8_t country) {
  return country == zelvane::kNoCountry ? -1 : country;
}

}  // namespace

ParameterEditor::ParameterEditor(Ui::TSettings_Zelvane& ui, QWidget* window, ErrorBox errorBox)
    : ui_(ui), window_(window), errorBox_(std::move(errorBox)), channelGroup_(new QButtonGroup(window)) {
  for (std::size_t row = 0; row < zelvane::kChannelCount; ++row) {
    channelGroup_->addButton(ChannelButton(row),
                             static_cast<int>(row) + zelvane::kFirstChannelButton);
  }
  ConnectControls();
  ui_.ComboBoxEx1->clear();
  ui_.StaticText1->clear();
  ui_.StaticText2->clear();
  levelCodes_ = zelvane::BuildLevelCodes();
  block_.fill(0);
  BuildCountryList();
}

void ParameterEditor::ConnectControls() {
  // A channel acts only when its button becomes checked, by the user or by
  // code; a click on the checked button does nothing.
  connect(channelGroup_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) SelectChannel(static_cast<std::size_t>(id - zelvane::kFirstChannelButton));
  });
  connect(ui_.TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
  connect(ui_.UpDown1, &UpDown::Clicked, this, [this] { UpDown1Click(); });
  connect(ui_.Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
}

void ParameterEditor::BuildCountryList() {
  const QIcon images[] = {QIcon(glyphs::RussianFlagIcon()), QIcon(glyphs::TricolourIcon())};
  const std::vector<zelvane::ChannelPlan> plans = zelvane::BuildChannelPlans();
  ui_.ComboBoxEx1->clear();
  for (std::size_t c = 0; c < plans.size(); ++c) {
    const std::size_t image = plans[c].Channels.front().ImageIndex;
    ui_.ComboBoxEx1->addItem(image < std::size(images) ? images[image] : QIcon(),
                             QString::fromStdString(plans[c].Name), static_cast<int>(c));
  }
  ui_.ComboBoxEx1->setCurrentIndex(-1);
}

void ParameterEditor::AttachTable(TTableIF* table) {
  table_ = table;
  table_->SetBlock(&block_);
}

void ParameterEditor::ShowSettings(const zelvane::DeviceSettings& settings) {
  SelectCountry(settings.country);
  block_ = settings.block;
  if (table_ != nullptr) {
    table_->SetBlock(&block_);
    table_->FillGrid();
  }
  ShowDecodedParameters();
}

void ParameterEditor::ApplyModulation(std::optional<std::uint8_t> modulation) {
  if (!modulation) return;
  if (*modulation == zelvane::kModulationQam32) ui_.RadioButton23->setChecked(true);
  if (*modulation == zelvane::kModulationQam64) ui_.RadioButton24->setChecked(true);
  ui_.RadioButton23->setEnabled(true);
  ui_.RadioButton24->setEnabled(true);
}

void ParameterEditor::SelectCountry(std::uint8_t stored) {
  const std::optional<std::size_t> country =
      zelvane::SelectedCountry(stored, static_cast<std::size_t>(ui_.ComboBoxEx1->count()));
  ui_.ComboBoxEx1->setCurrentIndex(country ? static_cast<int>(*country) : -1);
}

// None selected is stored as none.
std::uint8_t ParameterEditor::SelectedCountry() const {
  const int selected = ui_.ComboBoxEx1->currentIndex();
  return selected < 0 ? zelvane::kNoCountry : static_cast<std::uint8_t>(selected);
}

std::uint8_t ParameterEditor::ChosenModulation() const {
  return ui_.RadioButton24->isChecked() ? zelvane::kModulationQam64 : zelvane::kModulationQam32;
}

void ParameterEditor::MatchInstalledChannel() {
  currentPlan_ = zelvane::CurrentPlan(SelectedCountry());
  const std::optional<std::size_t> row =
      zelvane::FindChannelByFrequencyText(currentPlan_, installedFrequencyText_.toStdString());
  if (row) CheckChannelButton(*row);
}

QRadioButton* ParameterEditor::ChannelButton(std::size_t row) const {
  return window_->findChild<QRadioButton*>(QString::fromStdString(zelvane::ChannelButtonName(row)));
}

void ParameterEditor::CheckChannelButton(std::size_t row) { ChannelButton(row)->setChecked(true); }

void ParameterEditor::SelectChannel(std::size_t row) {
  if (currentPlan_.empty()) return;
  const float megahertz = currentPlan_.at(row).FrequencyMHz;
  ui_.StaticText2->setText(QString::fromStdString(zelvane::FormatValue(megahertz)));
  zelvane::EncodeFrequency(megahertz, block_);
  if (table_ != nullptr) table_->FillGrid();
}

void ParameterEditor::TrackBar1Change() { ApplyLevelPosition(); }

void ParameterEditor::ApplyLevelPosition() {
  const int position = ui_.TrackBar1->value();
  ui_.UpDown1->SetPosition(position);
  ui_.TrackBar1->SetSelection(position, position);
  ui_.Edit1->setText(QString::fromStdString(
      zelvane::LevelTextForPosition(static_cast<std::size_t>(position))));
  zelvane::EncodeLevel(static_cast<std::size_t>(ui_.UpDown1->Position()), levelCodes_, block_);
  if (table_ != nullptr) {
    table_->SetCell(TTableIF::kLevelColumn, TTableIF::kLevelRow,
                    ByteText(block_[zelvane::kLevelCodeByte]));
  }
}

// The up-down keeps its own range (0 to 100): above 24 the slider stays put.
void ParameterEditor::UpDown1Click() { ui_.TrackBar1->setValue(ui_.UpDown1->Position()); }

void ParameterEditor::Edit1Change() { ApplyLevelText(); }

void ParameterEditor::ApplyLevelText() {
  const std::optional<std::size_t> position =
      zelvane::LevelPositionForText(ui_.Edit1->text().toStdString());
  if (position) ui_.TrackBar1->setValue(static_cast<int>(*position));
}

void ParameterEditor::ShowDecodedParameters() {
  const zelvane::DecodedParameters decoded = zelvane::DecodeParameters(block_, levelCodes_);
  installedFrequencyText_ = QString::fromStdString(decoded.frequencyText);
  ui_.Edit1->setText(QString::fromStdString(decoded.levelText));
  ui_.StaticText1->setText(installedFrequencyText_);
}

// Bytes already taken stay in the block when a later cell is unreadable.
bool ParameterEditor::TakeBlockFromGrid() {
  for (int row = 0; row < TTableIF::kRows; ++row) {
    for (int column = 1; column < TTableIF::kColumns; ++column) {
      const std::size_t index = TTableIF::BlockByteOf(column, row);
      if (index >= block_.size()) continue;
      const QString text = table_->Cell(column, row);
      const std::optional<std::uint8_t> byte = zelvane::ParseCellByte(text.toStdString());
      if (!byte) {
        if (errorBox_) {
          errorBox_(kBadCellText.arg(QLatin1String(zelvane::kCellHexPrefix) + text), kBadCellTitle);
        }
        return false;
      }
      block_[index] = *byte;
    }
  }
  return true;
}

// What is compared must be what was sent: nothing may edit the block or
// the grid in the middle. The language button stays live.
void ParameterEditor::SetEditingEnabled(bool enabled) {
  for (QWidget* widget : {static_cast<QWidget*>(ui_.GroupBox4), static_cast<QWidget*>(ui_.GroupBox1),
                          static_cast<QWidget*>(ui_.TrackBar1), static_cast<QWidget*>(ui_.UpDown1),
                          static_cast<QWidget*>(ui_.Edit1), static_cast<QWidget*>(ui_.ComboBoxEx1)}) {
    widget->setEnabled(enabled);
  }
  if (table_ != nullptr) table_->Grid()->setEnabled(enabled);
}

void ParameterEditor::ShowVerifying() {
  ui_.StaticText1->setText(kVerifyingFrequencyText);
  ui_.ComboBoxEx1->setCurrentIndex(-1);
  ui_.ComboBoxEx1->setPlaceholderText(kVerifyingCountryText);
  channelGroup_->setExclusive(false);
  for (std::size_t row = 0; row < kUncheckedDuringVerify; ++row) ChannelButton(row)->setChecked(false);
  channelGroup_->setExclusive(true);
}

void ParameterEditor::LockModulation() {
  ui_.RadioButton23->setEnabled(false);
  ui_.RadioButton24->setEnabled(false);
}

// A read that failed or came short uses none of its bytes: block and
// country keep what they held. Either way the channel of the frequency
// shown is checked again.
void ParameterEditor::ShowReadBack(const zelvane::Verification& verification,
                                   std::uint8_t countryBefore, const QString& countryPrompt) {
  if (verification.country) {
    SelectCountry(*verification.country);
  } else {
    ui_.ComboBoxEx1->setCurrentIndex(CountryBoxIndex(countryBefore));
  }
  ui_.ComboBoxEx1->setPlaceholderText(countryPrompt);
  if (verification.block) {
    block_ = *verification.block;
    ShowDecodedParameters();
  } else {
    ui_.StaticText1->setText(installedFrequencyText_);
  }
  MatchInstalledChannel();
}

// A mark lasts until the grid is filled again.
void ParameterEditor::MarkDifferences(const std::vector<zelvane::ByteDifference>& differences) {
  for (const zelvane::ByteDifference& difference : differences) {
    table_->MarkByte(difference.offset, QString::fromStdString(zelvane::DifferenceText(difference)));
  }
}

void ParameterEditor::ClearMarks() { table_->ClearMarks(); }
