// The connection group: automatic search or a port from the list, the
// Connect button with its progress, and reading the device on success.
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "ui/settings_window.h"
#include "ui/status_texts.h"
#include "ui/table_window.h"
#include "ui_settings_window.h"

namespace {

const QString kPortInUseText = QStringLiteral("Port in use by other application");
const QString kInvalidPortText = QStringLiteral("Invalid open port");
const QString kConnectErrorTitle = QStringLiteral("Connect error");
const QString kInUseMarkText = QStringLiteral("in use");

const QString kSearchingText = QStringLiteral("Find device and connect...");
const QString kProgressText = QStringLiteral("..");

constexpr std::uint16_t kConnected = 0;
constexpr std::uint16_t kNotConnected = 255;

// The entry's bytes as listed; its text may have lost some.
std::string EntryBytes(const QComboBox& ports, int index) {
  return ports.itemData(index).toByteArray().toStdString();
}

void SetBaseColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  palette.setColor(QPalette::Button, colour);
  widget->setPalette(palette);
}

}  // namespace

zelvane::DeviceLink TSettings_Zelvane::Device() { return {*link_, *port_}; }

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
  const QString entry = ui_->ComboBox1->currentText();
  if (entry.contains(kInUseMarkText)) {
    ShowError(kPortInUseText, kConnectErrorTitle);
    return kNotConnected;
  }
  if (port_) {
    if (!port_->Close()) {
      ShowError(kPortInUseText, kConnectErrorTitle);
      return kNotConnected;
    }
    port_.reset();
  }
  zelvane::OpenError error;
  port_ = zelvane::OpenPort(EntryBytes(*ui_->ComboBox1, ui_->ComboBox1->currentIndex()), &error);
  if (!port_) {
    QString text = kInvalidPortText;
    const std::string hint = zelvane::AccessHint();
    if (error.reason == zelvane::OpenFailure::AccessDenied && !hint.empty()) {
      text += QLatin1Char('\n') + QString::fromStdString(hint);
    }
    ShowError(text, kConnectErrorTitle);
    return kNotConnected;
  }
  return kConnected;
}

void TSettings_Zelvane::SpeedButton1Click() {
  port_.reset();
  ListPorts();
  // No text at all until the language button puts the prompt back.
  ui_->ComboBox1->lineEdit()->setPlaceholderText(QString());
  ui_->BitBtn2->setEnabled(false);
  ui_->Label5->clear();
  ui_->Panel1->hide();
}

void TSettings_Zelvane::SpeedButton4Click() { discovery_.BreakScanRequest = true; }

void TSettings_Zelvane::Timer1Timer() {
  AppendStatus(kProgressText);
  PumpMessages();
}

// No second search may start inside a running one, and the port list must
// not change under the scan; only the break button stays live.
void TSettings_Zelvane::SetSearching(bool searching) {
  for (auto& [widget, wasEnabled] : lockedDuringSearch_) {
    if (searching) {
      wasEnabled = widget->isEnabled();
      widget->setEnabled(false);
    } else {
      widget->setEnabled(wasEnabled);
    }
  }
}

zelvane::Identification TSettings_Zelvane::RunSearch() {
  if (!ui_->RadioButton1->isChecked()) {
    if (!port_) return {};
    return zelvane::IdentifyDevice(Device(), discovery_);
  }
  // A port left open by an earlier connection would count as busy.
  port_.reset();
  std::vector<std::string> entries;
  for (int i = 0; i < ui_->ComboBox1->count(); ++i) {
    entries.push_back(EntryBytes(*ui_->ComboBox1, i));
  }
  ui_->SpeedButton4->show();
  const zelvane::Identification found =
      zelvane::ScanPorts(*link_, entries, port_, discovery_, [this] { PumpMessages(); });
  ui_->SpeedButton4->hide();
  return found;
}

void TSettings_Zelvane::ApplyModulation(std::optional<std::uint8_t> modulation) {
  if (!modulation) return;
  if (*modulation == 0) ui_->RadioButton23->setChecked(true);
  if (*modulation == 1) ui_->RadioButton24->setChecked(true);
  ui_->RadioButton23->setEnabled(true);
  ui_->RadioButton24->setEnabled(true);
}

void TSettings_Zelvane::BitBtn2Click() {
  ui_->Label5->setText(kSearchingText);
  timer1_->start();
  PumpMessages();
  SetSearching(true);
  const zelvane::Identification found = RunSearch();
  SetSearching(false);
  timer1_->stop();
  if (found.result != zelvane::kFound) {
    AppendStatus(kStatusErrorText);
    return;
  }
  ApplyModulation(found.modulation);
  if (!ReadDeviceSettings()) {
    // A device that does not hand over its settings is not connected.
    if (ui_->RadioButton1->isChecked()) port_.reset();
    AppendStatus(kStatusErrorText);
    return;
  }
  AppendStatus(kStatusOkText);
  ui_->BitBtn2->setEnabled(false);
  MatchInstalledChannel();
}

// Reads the country and the block; uses nothing unless both came whole.
bool TSettings_Zelvane::ReadDeviceSettings() {
  const std::uint8_t address = discovery_.ModuleAddress;
  const std::optional<std::uint8_t> country =
      zelvane::CmdReadCountryIndex(Device(), address).DataByte();
  if (!country) return false;
  const std::optional<zelvane::ParamBlock> block =
      zelvane::WholeBlock(zelvane::CmdReadParamBlock(Device(), address));
  if (!block) return false;
  SelectCountry(*country);
  block_ = *block;
  if (tableWindow_ != nullptr) {
    tableWindow_->SetBlock(&block_);
    tableWindow_->FillGrid();
  }
  ShowDecodedParameters();
  ui_->Panel1->show();
  return true;
}

// 255 means no country stored: the first is taken. An index that names no
// country selects none.
void TSettings_Zelvane::SelectCountry(std::uint8_t stored) {
  int index = stored;
  if (index == zelvane::kNoCountry) index = 0;
  ui_->ComboBoxEx1->setCurrentIndex(index < ui_->ComboBoxEx1->count() ? index : -1);
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
