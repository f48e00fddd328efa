#include "ui/connection_panel.h"

#include <QLineEdit>

#include "ui/parameter_editor.h"
#include "ui/request_gate.h"
#include "ui/session_thread.h"
#include "ui/status_line.h"
#include "ui/status_texts.h"
#include "ui_settings_window.h"

namespace {

const QString kNoPortsText = QStringLiteral("Нет портов подключения");
const QString kNoPortsTitle = QStringLiteral("Ошибка подключения");
const QString kPortInUseText = QStringLiteral("Port in use by other application");
const QString kInvalidPortText = QStringLiteral("Invalid open port");
const QString kConnectErrorTitle = QStringLiteral("Connect error");
const QString kSearchingText = QStringLiteral("Find device and connect...");

void SetBaseColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  palette.setColor(QPalette::Button, colour);
  widget->setPalette(palette);
}

// "Invalid open port", and what a user lacking access can do about it.
QString InvalidPortText(const zelvane::OpenError& error) {
  QString text = kInvalidPortText;
  const std::string hint = zelvane::AccessHintFor(error);
  if (!hint.empty()) text += QLatin1Char('\n') + QString::fromStdString(hint);
  return text;
}

}  // namespace

ConnectionPanel::ConnectionPanel(Ui::TSettings_Zelvane& ui, QWidget* window,
                                 SessionThread& session, RequestGate& gate, StatusLine& status,
                                 ParameterEditor& editor, ErrorBox errorBox)
    : ui_(ui),
      window_(window),
      session_(session),
      gate_(gate),
      status_(status),
      editor_(editor),
      errorBox_(std::move(errorBox)),
      lockedWhileBusy_({{ui.BitBtn2, false},
                        {ui.RadioButton1, false},
                        {ui.RadioButton2, false},
                        {ui.ComboBox1, false},
                        {ui.SpeedButton1, false}}) {
  ConnectControls();
  ui_.BitBtn2->setEnabled(false);
  ShowPorts(zelvane::ListPorts());
}

void ConnectionPanel::ConnectControls() {
  connect(ui_.RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton1Click();
  });
  connect(ui_.RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton2Click();
  });
  connect(ui_.ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Click(); });
  connect(ui_.SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  connect(ui_.BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  connect(ui_.SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(); });
}

void ConnectionPanel::ShowPorts(const std::vector<zelvane::ListedPort>& ports) {
  ui_.ComboBox1->clear();
  // A name's bytes go back to the system unchanged, whatever their
  // encoding; the text only shows them.
  // What the system knows of the adapter behind a port tells two USB
  // adapters apart; the entry's text stays the name with its mark.
  for (const zelvane::ListedPort& port : ports) {
    ui_.ComboBox1->addItem(QString::fromLocal8Bit(port.entry), QByteArray::fromStdString(port.entry));
    const QString description = QString::fromStdString(port.description);
    const int item = ui_.ComboBox1->count() - 1;
    ui_.ComboBox1->setItemData(item, description, Qt::ToolTipRole);
    ui_.ComboBox1->setItemData(item, description, Qt::AccessibleDescriptionRole);
  }
  ui_.ComboBox1->setCurrentIndex(-1);
  if (ui_.ComboBox1->count() == 0) {
    ShowError(kNoPortsText, kNoPortsTitle);
  } else {
    ui_.BitBtn2->setEnabled(true);
  }
}

void ConnectionPanel::ShowError(const QString& text, const QString& title) const {
  if (errorBox_) errorBox_(text, title);
}

std::string ConnectionPanel::PortEntry(int index) const {
  return ui_.ComboBox1->itemData(index).toByteArray().toStdString();
}

std::vector<std::string> ConnectionPanel::PortEntries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < ui_.ComboBox1->count(); ++i) entries.push_back(PortEntry(i));
  return entries;
}

void ConnectionPanel::SetLocked(bool locked) {
  for (auto& [widget, wasEnabled] : lockedWhileBusy_) {
    if (locked) {
      wasEnabled = widget->isEnabled();
      widget->setEnabled(false);
    } else {
      widget->setEnabled(wasEnabled);
    }
  }
}

void ConnectionPanel::RadioButton1Click() {
  ui_.ComboBox1->setEnabled(false);
  SetBaseColour(ui_.ComboBox1, window_->palette().color(QPalette::Window));
  ui_.SpeedButton1->hide();
  ui_.Panel1->hide();
  ui_.BitBtn2->setEnabled(true);
}

void ConnectionPanel::RadioButton2Click() {
  ui_.ComboBox1->setEnabled(true);
  SetBaseColour(ui_.ComboBox1, Qt::white);
  ui_.SpeedButton1->show();
  ui_.Panel1->hide();
  ui_.BitBtn2->setEnabled(false);
}

// While a request runs the port stays the session's: a choice is refused.
void ConnectionPanel::ComboBox1Click() {
  if (!gate_.Start()) return;
  session_.ChoosePort(PortEntry(ui_.ComboBox1->currentIndex()));
}

void ConnectionPanel::ShowPortChoice(const zelvane::PortChoiceResult& result) {
  switch (result.choice) {
    case zelvane::PortChoice::Opened:
      ui_.BitBtn2->setEnabled(true);
      break;
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
  gate_.End();
}

void ConnectionPanel::SpeedButton1Click() {
  if (!gate_.Start()) return;
  session_.RefreshPorts();
}

void ConnectionPanel::ShowRefreshedPorts(const std::vector<zelvane::ListedPort>& ports) {
  ShowPorts(ports);
  // No text at all until the language button puts the prompt back.
  ui_.ComboBox1->lineEdit()->setPlaceholderText(QString());
  ui_.BitBtn2->setEnabled(false);
  status_.Show(QString());
  ui_.Panel1->hide();
  gate_.End();
}

void ConnectionPanel::SpeedButton4Click() { session_.RequestBreak(); }

// From the list the port is chosen already; automatically, every listed
// port is tried.
void ConnectionPanel::BitBtn2Click() {
  if (!gate_.Start()) return;
  status_.Show(kSearchingText);
  status_.StartProgress();
  SetLocked(true);
  zelvane::ConnectTarget target;
  if (ui_.RadioButton1->isChecked()) {
    ui_.SpeedButton4->show();
    target.scanList = PortEntries();
  } else {
    target.portOpen = true;
  }
  session_.Connect(target);
}

// The settings are read with the connection controls live again.
void ConnectionPanel::EndDiscovery(const zelvane::Identification& identification) {
  ui_.SpeedButton4->hide();
  SetLocked(false);
  status_.StopProgress();
  if (identification.result == zelvane::kFound) editor_.ApplyModulation(identification.modulation);
}

// A device that does not hand over its settings is not connected.
void ConnectionPanel::ShowConnection(const zelvane::ConnectResult& result) {
  if (result.settings) {
    editor_.ShowSettings(*result.settings);
    ui_.Panel1->show();
    status_.Append(kStatusOkText);
    ui_.BitBtn2->setEnabled(false);
    editor_.MatchInstalledChannel();
  } else {
    status_.Append(kStatusErrorText);
  }
  gate_.End();
}
