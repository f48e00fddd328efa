// The connection group: automatic search or a port from the list, the
// Connect button with its progress, and reading the device on success.
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "device/modulation.h"
#include "params/country_selection.h"
#include "ui/settings_window.h"
#include "ui/status_texts.h"
#include "ui/table_window.h"
#include "ui/workflow_thread.h"
#include "ui_settings_window.h"

namespace {

const QString kPortInUseText = QStringLiteral("Port in use by other application");
const QString kInvalidPortText = QStringLiteral("Invalid open port");
const QString kConnectErrorTitle = QStringLiteral("Connect error");

const QString kSearchingText = QStringLiteral("Find device and connect...");
const QString kProgressText = QStringLiteral("..");

constexpr std::uint16_t kConnected = 0;
constexpr std::uint16_t kNotConnected = 255;

void SetBaseColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  palette.setColor(QPalette::Button, colour);
  widget->setPalette(palette);
}

// "Invalid open port", and what a user lacking access can do about it.
QString InvalidPortText(const zelvane::OpenError& error) {
  QString text = kInvalidPortText;
  const std::string hint = zelvane::AccessHint();
  if (error.reason == zelvane::OpenFailure::AccessDenied && !hint.empty()) {
    text += QLatin1Char('\n') + QString::fromStdString(hint);
  }
  return text;
}

}  // namespace

// A new status text starts without the explanation of an earlier one.
void TSettings_Zelvane::SetStatus(const QString& text) {
  ui_->Label5->setText(text);
  ShowStatusExplanation(QString());
}

// The status line keeps its text; its hint and its accessible description
// say what lies behind it.
void TSettings_Zelvane::ShowStatusExplanation(const QString& explanation) {
  ui_->Label5->setToolTip(explanation);
  ui_->Label5->SetExplanation(explanation);
}

void TSettings_Zelvane::AppendStatus(const QString& text) {
  ui_->Label5->setText(ui_->Label5->text() + text);
}

void TSettings_Zelvane::RadioButton1Click() {
  ui_->ComboBox1->setEnabled(false);
  SetBaseColour(ui_->ComboBox1, palette().color(QPalette::Window));
  ui_->SpeedButton1->hide();
  ui_->Panel1->hide();
  ui_->BitBtn2->setEnabled(true);
}

void TSettings_Zelvane::RadioButton2Click() {
  ui_->ComboBox1->setEnabled(true);
  SetBaseColour(ui_->ComboBox1, Qt::white);
  ui_->SpeedButton1->show();
  ui_->Panel1->hide();
  ui_->BitBtn2->setEnabled(false);
}

void TSettings_Zelvane::ComboBox1Click() {
  if (ConnectSelectedPort() == kConnected) ui_->BitBtn2->setEnabled(true);
}

std::uint16_t TSettings_Zelvane::ConnectSelectedPort() {
  const zelvane::PortChoiceResult result =
      session_->ChoosePort(PortEntry(ui_->ComboBox1->currentIndex()));
  switch (result.choice) {
    case zelvane::PortChoice::Opened:
      return kConnected;
    case zelvane::PortChoice::InUse:
    case zelvane::PortChoice::CloseFailed:
      ShowError(kPortInUseText, kConnectErrorTitle);
      break;
    case zelvane::PortChoice::OpenFailed:
      ShowError(InvalidPortText(result.error), kConnectErrorTitle);
      break;
    case zelvane::PortChoice::Refused:
      break;
  }
  return kNotConnected;
}

void TSettings_Zelvane::SpeedButton1Click() {
  if (session_->Busy()) return;
  session_->ClosePort();
  ListPorts();
  // No text at all until the language button puts the prompt back.
  ui_->ComboBox1->lineEdit()->setPlaceholderText(QString());
  ui_->BitBtn2->setEnabled(false);
  SetStatus(QString());
  ui_->Panel1->hide();
}

void TSettings_Zelvane::SpeedButton4Click() { session_->RequestBreak(); }

void TSettings_Zelvane::Timer1Timer() { AppendStatus(kProgressText); }

// While a workflow runs, nothing may start a second one or change the
// port under it; the break button stays live.
void TSettings_Zelvane::SetConnectionLocked(bool locked) {
  for (auto& [widget, wasEnabled] : lockedWhileBusy_) {
    if (locked) {
      wasEnabled = widget->isEnabled();
      widget->setEnabled(false);
    } else {
      widget->setEnabled(wasEnabled);
    }
  }
}

zelvane::Identification TSettings_Zelvane::RunSearch() {
  zelvane::Identification found;
  if (!ui_->RadioButton1->isChecked()) {
    workflowThread_->Run([this, &found] { found = session_->Identify(); });
    return found;
  }
  ui_->SpeedButton4->show();
  const std::vector<std::string> entries = PortEntries();
  workflowThread_->Run([this, &found, &entries] { found = session_->Scan(entries); });
  ui_->SpeedButton4->hide();
  return found;
}

void TSettings_Zelvane::ApplyModulation(std::optional<std::uint8_t> modulation) {
  if (!modulation) return;
  if (*modulation == zelvane::kModulationQam32) ui_->RadioButton23->setChecked(true);
  if (*modulation == zelvane::kModulationQam64) ui_->RadioButton24->setChecked(true);
  ui_->RadioButton23->setEnabled(true);
  ui_->RadioButton24->setEnabled(true);
}

void TSettings_Zelvane::BitBtn2Click() {
  if (session_->Busy()) return;
  SetStatus(kSearchingText);
  timer1_->start();
  SetConnectionLocked(true);
  const zelvane::Identification found = RunSearch();
  SetConnectionLocked(false);
  timer1_->stop();
  if (found.result != zelvane::kFound) {
    AppendStatus(kStatusErrorText);
    return;
  }
  ApplyModulation(found.modulation);
  if (!ReadDeviceSettings()) {
    // A device that does not hand over its settings is not connected.
    if (ui_->RadioButton1->isChecked()) session_->ClosePort();
    AppendStatus(kStatusErrorText);
    return;
  }
  AppendStatus(kStatusOkText);
  ui_->BitBtn2->setEnabled(false);
  MatchInstalledChannel();
}

bool TSettings_Zelvane::ReadDeviceSettings() {
  std::optional<zelvane::DeviceSettings> settings;
  workflowThread_->Run([this, &settings] { settings = session_->ReadSettings(); });
  if (!settings) return false;
  SelectCountry(settings->country);
  block_ = settings->block;
  if (tableWindow_ != nullptr) {
    tableWindow_->SetBlock(&block_);
    tableWindow_->FillGrid();
  }
  ShowDecodedParameters();
  ui_->Panel1->show();
  return true;
}

void TSettings_Zelvane::SelectCountry(std::uint8_t stored) {
  const std::optional<std::size_t> country =
      zelvane::SelectedCountry(stored, static_cast<std::size_t>(ui_->ComboBoxEx1->count()));
  ui_->ComboBoxEx1->setCurrentIndex(country ? static_cast<int>(*country) : -1);
}

// With no country selected the first country's plan serves, so that the
// channel buttons always have one.
void TSettings_Zelvane::MatchInstalledChannel() {
  const int selected = ui_->ComboBoxEx1->currentIndex();
  const int plan = selected >= 0 ? ui_->ComboBoxEx1->itemData(selected).toInt() : 0;
  currentPlan_ = &countryPlans_.at(static_cast<std::size_t>(plan)).Channels;
  const std::optional<std::size_t> row =
      zelvane::FindChannelByFrequencyText(*currentPlan_, installedFrequencyText_.toStdString());
  if (row) CheckChannelButton(*row);
}
