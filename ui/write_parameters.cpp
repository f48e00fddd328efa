// Writing the grid's block, the modulation and the country to the device,
// then reading them back and comparing.
#include <QButtonGroup>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

#include "device/modulation.h"
#include "params/cell_value.h"
#include "session/verification_report.h"
#include "ui/captions.h"
#include "ui/settings_window.h"
#include "ui/status_texts.h"
#include "ui/table_window.h"
#include "ui/workflow_thread.h"
#include "ui_settings_window.h"

namespace {

const QString kSetParametersText = QStringLiteral("Set parameters..");
const QString kVerifyText = QStringLiteral("Verify write data..");
const QString kVerifyingFrequencyText = QStringLiteral("ver");
const QString kVerifyingCountryText = QStringLiteral("Verification");
const QString kVerifyErrorText = QStringLiteral("..ERROR!");
const QString kBadCellText = QStringLiteral("'%1' is not a valid integer value");
const QString kBadCellTitle = QStringLiteral("Error");

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
  // Busy first: the port is the running workflow's until it ends.
  if (session_->Busy() || !session_->PortOpen() || tableWindow_ == nullptr) return;
  ui_->SpeedButton3->setEnabled(false);
  SetEditingEnabled(false);
  SetConnectionLocked(true);
  tableWindow_->ClearMarks();
  if (TakeBlockFromGrid()) {
    const int country = ui_->ComboBoxEx1->currentIndex();
    zelvane::WriteRequest request;
    request.block = block_;
    request.modulation =
        ui_->RadioButton24->isChecked() ? zelvane::kModulationQam64 : zelvane::kModulationQam32;
    // No country selected is index -1, stored as 255 (none).
    request.country = static_cast<std::uint8_t>(country);
    zelvane::Verification verification;
    workflowThread_->Run(
        [this, &request, &verification] { verification = session_->Write(request).verification; });
    ShowVerification(verification, country);
    ShowVerificationReport(request, verification);
  }
  SetConnectionLocked(false);
  SetEditingEnabled(true);
  ui_->SpeedButton3->setEnabled(true);
}

void TSettings_Zelvane::WritingStarted() {
  SetStatus(kSetParametersText);
  timer1_->start();
}

void TSettings_Zelvane::WritingEnded(bool written) {
  timer1_->stop();
  AppendStatus(written ? kStatusOkText : kStatusErrorText);
}

void TSettings_Zelvane::VerificationStarted() {
  SetStatus(kVerifyText);
  ui_->StaticText1->setText(kVerifyingFrequencyText);
  ui_->ComboBoxEx1->setCurrentIndex(-1);
  ui_->ComboBoxEx1->setPlaceholderText(kVerifyingCountryText);
  timer1_->start();
  channelGroup_->setExclusive(false);
  for (std::size_t row = 0; row < kUncheckedDuringVerify; ++row) ChannelButton(row)->setChecked(false);
  channelGroup_->setExclusive(true);
}

void TSettings_Zelvane::ModulationReadBackStarted() {
  ui_->RadioButton23->setEnabled(false);
  ui_->RadioButton24->setEnabled(false);
}

void TSettings_Zelvane::ModulationReadBack(std::optional<std::uint8_t> modulation) {
  ApplyModulation(modulation);
}

void TSettings_Zelvane::VerificationReadsEnded() { timer1_->stop(); }

// After the channel lookup, whose refill of the grid would clear the marks.
void TSettings_Zelvane::ShowVerificationReport(const zelvane::WriteRequest& written,
                                               const zelvane::Verification& verification) {
  if (verification.Verified()) return;
  const std::vector<std::string> report =
      zelvane::VerificationReport(written, verification, Discovery().DeviceRecognised);
  QStringList lines;
  for (const std::string& line : report) lines << QString::fromStdString(line);
  ShowStatusExplanation(lines.join(QLatin1Char('\n')));
  for (const zelvane::ByteDifference& difference : verification.differences) {
    tableWindow_->MarkByte(difference.offset,
                           QString::fromStdString(zelvane::DifferenceText(difference)));
  }
}

// A read that failed or came short uses none of its bytes: block and
// country keep what they held. Either way the channel of the frequency
// shown is checked again.
void TSettings_Zelvane::ShowVerification(const zelvane::Verification& verification,
                                         int countryBefore) {
  AppendStatus(verification.Verified() ? kStatusOkText : kVerifyErrorText);
  if (verification.country) {
    SelectCountry(*verification.country);
  } else {
    ui_->ComboBoxEx1->setCurrentIndex(countryBefore);
  }
  ui_->ComboBoxEx1->setPlaceholderText(CurrentCaptions().countryPrompt);
  if (verification.block) {
    block_ = *verification.block;
    ShowDecodedParameters();
  } else {
    ui_->StaticText1->setText(installedFrequencyText_);
  }
  MatchInstalledChannel();
}
