// The main window's construction, start-up, shut-down, the connection
// group, the write and the handlers that tie it to the register table
// window.
#include "ui/settings_window.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

#include "device/modulation.h"
#include "params/cell_value.h"
#include "params/country_selection.h"
#include "params/level_table.h"
#include "session/verification_report.h"
#include "session/write_request.h"
#include "ui/captions.h"
#include "ui/glyphs.h"
#include "ui/session_thread.h"
#include "ui/status_texts.h"
#include "ui/table_window.h"
#include "ui_settings_window.h"

namespace {

constexpr char kServiceSwitch[] = "Q";
constexpr int kTimerIntervalMs = 200;
constexpr int kFontPixelSize = 11;
constexpr int kTableOffsetTop = 20;
constexpr int kTableGapLeft = 4;
constexpr int kUpDownMaximum = 100;

const QString kNoPortsText = QStringLiteral("Нет портов подключения");
const QString kNoPortsTitle = QStringLiteral("Ошибка подключения");

const QString kPortInUseText = QStringLiteral("Port in use by other application");
const QString kInvalidPortText = QStringLiteral("Invalid open port");
const QString kConnectErrorTitle = QStringLiteral("Connect error");

const QString kSearchingText = QStringLiteral("Find device and connect...");
const QString kProgressText = QStringLiteral("..");

const QString kSetParametersText = QStringLiteral("Set parameters..");
const QString kVerifyText = QStringLiteral("Verify write data..");
const QString kVerifyingFrequencyText = QStringLiteral("ver");
const QString kVerifyingCountryText = QStringLiteral("Verification");
const QString kVerifyErrorText = QStringLiteral("..ERROR!");
const QString kBadCellText = QStringLiteral("'%1' is not a valid integer value");
const QString kBadCellTitle = QStringLiteral("Error");

// TV1 to TV6 are unchecked while the device is read back.
constexpr std::size_t kUncheckedDuringVerify = 6;

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

// The country box's index of a stored country: none is no selection.
int CountryBoxIndex(std::uint8_t country) {
  return country == zelvane::kNoCountry ? -1 : country;
}

}  // namespace

TSettings_Zelvane::ErrorBox TSettings_Zelvane::CriticalErrorBox() {
  return [](const QString& text, const QString& title) {
    QMessageBox::critical(QApplication::activeWindow(), title, text);
  };
}

TSettings_Zelvane::TSettings_Zelvane(const QStringList& arguments, ErrorBox errorBox,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::TSettings_Zelvane>()),
      errorBox_(std::move(errorBox)) {
  ui_->setupUi(this);
  // Where the design's fonts are missing, fonts of the same metrics stand in.
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                              QStringLiteral("Arial")});
  QFont::insertSubstitutions(QStringLiteral("MS Serif"),
                             {QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman")});
  QFont designFont(QStringLiteral("MS Sans Serif"));
  designFont.setPixelSize(kFontPixelSize);
  setFont(designFont);
  QFont editFont(QStringLiteral("MS Serif"));
  editFont.setPixelSize(kFontPixelSize);
  ui_->Edit1->setFont(editFont);
  QFont boldFont = designFont;
  boldFont.setBold(true);
  ui_->Label1->setFont(boldFont);
  QPalette countryColours = ui_->ComboBoxEx1->palette();
  countryColours.setColor(QPalette::Text, Qt::darkBlue);
  countryColours.setColor(QPalette::ButtonText, Qt::darkBlue);
  ui_->ComboBoxEx1->setPalette(countryColours);

  ui_->Image1->setPixmap(glyphs::RussianFlag());
  ui_->Image2->setPixmap(glyphs::BritishFlag());
  ui_->SpeedButton5->setIcon(glyphs::BritishFlag());
  ui_->SpeedButton5->setIconSize(glyphs::BritishFlag().size());
  ui_->SpeedButton1->setIcon(glyphs::Refresh());
  ui_->SpeedButton4->setIcon(glyphs::BreakCross());
  ui_->UpDown1->SetRange(0, kUpDownMaximum);
  // The port box shows its prompt as text of its own, yet only ports
  // from the list can be chosen.
  ui_->ComboBox1->lineEdit()->setReadOnly(true);
  ui_->ComboBox1->lineEdit()->setPlaceholderText(EnglishCaptionsTable().portPrompt);

  timer1_ = new QTimer(this);
  timer1_->setInterval(kTimerIntervalMs);
  channelGroup_ = new QButtonGroup(this);
  for (std::size_t row = 0; row < zelvane::kChannelCount; ++row) {
    channelGroup_->addButton(ChannelButton(row),
                             static_cast<int>(row) + zelvane::kFirstChannelButton);
  }
  lockedWhileBusy_ = {{ui_->BitBtn2, false},      {ui_->RadioButton1, false},
                         {ui_->RadioButton2, false}, {ui_->ComboBox1, false},
                         {ui_->SpeedButton1, false}};

  installedFrequencyText_.clear();
  ConnectHandlers();
  FormCreate(arguments);

  adjustSize();
  const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
  move(desktop.center() - QPoint(width() / 2, height() / 2));
}

TSettings_Zelvane::~TSettings_Zelvane() = default;

bool TSettings_Zelvane::PortOpen() const { return sessionThread_->PortOpen(); }

bool TSettings_Zelvane::DeviceRecognised() const { return sessionThread_->DeviceRecognised(); }

void TSettings_Zelvane::ConnectHandlers() {
  connect(ui_->SpeedButton5, &QToolButton::clicked, this, [this] { SpeedButton5Click(); });
  connect(ui_->RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton1Click();
  });
  connect(ui_->RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton2Click();
  });
  connect(ui_->ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Click(); });
  connect(ui_->SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  connect(ui_->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  connect(ui_->SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(); });
  connect(timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
  connect(ui_->SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
  ui_->SpeedButton2->installEventFilter(this);
  // A channel acts only when its button becomes checked, by the user or by
  // code; a click on the checked button does nothing.
  connect(channelGroup_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) SelectChannel(static_cast<std::size_t>(id - zelvane::kFirstChannelButton));
  });
  connect(ui_->TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
  connect(ui_->UpDown1, &UpDown::Clicked, this, [this] { UpDown1Click(); });
  connect(ui_->Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
  connect(ui_->SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
}

// The session's steps and results arrive queued, on the window's thread.
void TSettings_Zelvane::ConnectSession() {
  const SessionThread* session = sessionThread_.get();
  connect(session, &SessionThread::PortChosen, this, &TSettings_Zelvane::ShowPortChoice);
  connect(session, &SessionThread::PortsListed, this, &TSettings_Zelvane::ShowRefreshedPorts);
  connect(session, &SessionThread::DiscoveryEnded, this, &TSettings_Zelvane::EndDiscovery);
  connect(session, &SessionThread::Connected, this, &TSettings_Zelvane::ShowConnection);
  connect(session, &SessionThread::WritingStarted, this, &TSettings_Zelvane::WritingStarted);
  connect(session, &SessionThread::WritingEnded, this, &TSettings_Zelvane::WritingEnded);
  connect(session, &SessionThread::VerificationStarted, this,
          &TSettings_Zelvane::VerificationStarted);
  connect(session, &SessionThread::ModulationReadBackStarted, this,
          &TSettings_Zelvane::ModulationReadBackStarted);
  connect(session, &SessionThread::ModulationReadBack, this, &TSettings_Zelvane::ApplyModulation);
  connect(session, &SessionThread::VerificationReadsEnded, this,
          &TSettings_Zelvane::VerificationReadsEnded);
  connect(session, &SessionThread::Written, this, &TSettings_Zelvane::ShowWritten);
}

// The numbers' decimal comma needs no process-wide setting here: every
// level and frequency text is written and read with ',' by params/.
void TSettings_Zelvane::FormCreate(const QStringList& arguments) {
  englishCaptions_ = true;
  ui_->ComboBox1->clear();
  ui_->ComboBoxEx1->clear();
  ui_->StaticText1->clear();
  ui_->StaticText2->clear();
  ui_->SpeedButton2->setVisible(arguments.value(1) == QLatin1String(kServiceSwitch));
  levelCodes_ = zelvane::BuildLevelCodes();
  sessionThread_ = std::make_unique<SessionThread>();
  ConnectSession();
  ui_->BitBtn2->setEnabled(false);
  // Nothing holds a port yet, so the list is made here and now.
  ShowPorts(zelvane::ListPorts());
  SetStatus(QString());
  block_.fill(0);
  BuildCountryList();
  ui_->SpeedButton5->click();
}

// A workflow running on the session's thread breaks off its exchange or
// pause at once and releases the port as it unwinds; the program then ends.
void TSettings_Zelvane::FormClose() { sessionThread_->Shutdown(); }

void TSettings_Zelvane::closeEvent(QCloseEvent* event) {
  FormClose();
  QWidget::closeEvent(event);
}

void TSettings_Zelvane::ShowPorts(const std::vector<zelvane::ListedPort>& ports) {
  ui_->ComboBox1->clear();
  // A name's bytes go back to the system unchanged, whatever their
  // encoding; the text only shows them.
  // What the system knows of the adapter behind a port tells two USB
  // adapters apart; the entry's text stays the name with its mark.
  for (const zelvane::ListedPort& port : ports) {
    ui_->ComboBox1->addItem(QString::fromLocal8Bit(port.entry), QByteArray::fromStdString(port.entry));
    const QString description = QString::fromStdString(port.description);
    const int item = ui_->ComboBox1->count() - 1;
    ui_->ComboBox1->setItemData(item, description, Qt::ToolTipRole);
    ui_->ComboBox1->setItemData(item, description, Qt::AccessibleDescriptionRole);
  }
  ui_->ComboBox1->setCurrentIndex(-1);
  if (ui_->ComboBox1->count() == 0) {
    ShowError(kNoPortsText, kNoPortsTitle);
  } else {
    ui_->BitBtn2->setEnabled(true);
  }
}

void TSettings_Zelvane::BuildCountryList() {
  const QIcon images[] = {QIcon(glyphs::RussianFlagIcon()), QIcon(glyphs::TricolourIcon())};
  const std::vector<zelvane::ChannelPlan> plans = zelvane::BuildChannelPlans();
  ui_->ComboBoxEx1->clear();
  for (std::size_t c = 0; c < plans.size(); ++c) {
    const std::size_t image = plans[c].Channels.front().ImageIndex;
    ui_->ComboBoxEx1->addItem(image < std::size(images) ? images[image] : QIcon(),
                              QString::fromStdString(plans[c].Name), static_cast<int>(c));
  }
  ui_->ComboBoxEx1->setCurrentIndex(-1);
}

void TSettings_Zelvane::ShowError(const QString& text, const QString& title) const {
  if (errorBox_) errorBox_(text, title);
}

std::string TSettings_Zelvane::PortEntry(int index) const {
  return ui_->ComboBox1->itemData(index).toByteArray().toStdString();
}

std::vector<std::string> TSettings_Zelvane::PortEntries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < ui_->ComboBox1->count(); ++i) entries.push_back(PortEntry(i));
  return entries;
}

void TSettings_Zelvane::AttachTableWindow(TTableIF* table) {
  tableWindow_ = table;
  tableWindow_->SetBlock(&block_);
  ApplyAccessibleNames(CurrentCaptions());
  PlaceTableWindow();
}

void TSettings_Zelvane::PlaceTableWindow() {
  if (tableWindow_ == nullptr) return;
  const QRect frame = frameGeometry();
  tableWindow_->move(frame.left() + frame.width() + kTableGapLeft, frame.top() + kTableOffsetTop);
}

void TSettings_Zelvane::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (tableWindow_ == nullptr) return;
  PlaceTableWindow();
  tableWindow_->SetBlock(&block_);
}

bool TSettings_Zelvane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->SpeedButton2 && event->type() == QEvent::MouseButtonRelease) {
    SpeedButton2MouseUp(static_cast<QMouseEvent*>(event)->button());
  }
  return QWidget::eventFilter(watched, event);
}

void TSettings_Zelvane::SpeedButton2Click() {
  if (tableWindow_ == nullptr) return;
  PlaceTableWindow();
  tableWindow_->show();
  tableWindow_->raise();
  tableWindow_->activateWindow();
}

void TSettings_Zelvane::SpeedButton2MouseUp(Qt::MouseButton button) {
  if (button == Qt::RightButton && tableWindow_ != nullptr) tableWindow_->LoadDefaultCells();
}

void TSettings_Zelvane::StartRequest() { requestRunning_ = true; }

void TSettings_Zelvane::EndRequest() {
  requestRunning_ = false;
  emit RequestEnded();
}

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

// While a request runs the port stays the session's: a choice is refused.
void TSettings_Zelvane::ComboBox1Click() {
  if (requestRunning_) return;
  StartRequest();
  sessionThread_->ChoosePort(PortEntry(ui_->ComboBox1->currentIndex()));
}

void TSettings_Zelvane::ShowPortChoice(const zelvane::PortChoiceResult& result) {
  switch (result.choice) {
    case zelvane::PortChoice::Opened:
      ui_->BitBtn2->setEnabled(true);
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
  EndRequest();
}

void TSettings_Zelvane::SpeedButton1Click() {
  if (requestRunning_) return;
  StartRequest();
  sessionThread_->RefreshPorts();
}

void TSettings_Zelvane::ShowRefreshedPorts(const std::vector<zelvane::ListedPort>& ports) {
  ShowPorts(ports);
  // No text at all until the language button puts the prompt back.
  ui_->ComboBox1->lineEdit()->setPlaceholderText(QString());
  ui_->BitBtn2->setEnabled(false);
  SetStatus(QString());
  ui_->Panel1->hide();
  EndRequest();
}

void TSettings_Zelvane::SpeedButton4Click() { sessionThread_->RequestBreak(); }

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

// From the list the port is chosen already; automatically, every listed
// port is tried.
void TSettings_Zelvane::BitBtn2Click() {
  if (requestRunning_) return;
  StartRequest();
  SetStatus(kSearchingText);
  timer1_->start();
  SetConnectionLocked(true);
  zelvane::ConnectTarget target;
  if (ui_->RadioButton1->isChecked()) {
    ui_->SpeedButton4->show();
    target.scanList = PortEntries();
  } else {
    target.portOpen = true;
  }
  sessionThread_->Connect(target);
}

// The settings are read with the connection controls live again.
void TSettings_Zelvane::EndDiscovery(const zelvane::Identification& identification) {
  ui_->SpeedButton4->hide();
  SetConnectionLocked(false);
  timer1_->stop();
  if (identification.result == zelvane::kFound) ApplyModulation(identification.modulation);
}

void TSettings_Zelvane::ApplyModulation(std::optional<std::uint8_t> modulation) {
  if (!modulation) return;
  if (*modulation == zelvane::kModulationQam32) ui_->RadioButton23->setChecked(true);
  if (*modulation == zelvane::kModulationQam64) ui_->RadioButton24->setChecked(true);
  ui_->RadioButton23->setEnabled(true);
  ui_->RadioButton24->setEnabled(true);
}

// A device that does not hand over its settings is not connected.
void TSettings_Zelvane::ShowConnection(const zelvane::ConnectResult& result) {
  if (result.settings) {
    ShowDeviceSettings(*result.settings);
    AppendStatus(kStatusOkText);
    ui_->BitBtn2->setEnabled(false);
    MatchInstalledChannel();
  } else {
    AppendStatus(kStatusErrorText);
  }
  EndRequest();
}

void TSettings_Zelvane::ShowDeviceSettings(const zelvane::DeviceSettings& settings) {
  SelectCountry(settings.country);
  block_ = settings.block;
  if (tableWindow_ != nullptr) {
    tableWindow_->SetBlock(&block_);
    tableWindow_->FillGrid();
  }
  ShowDecodedParameters();
  ui_->Panel1->show();
}

void TSettings_Zelvane::SelectCountry(std::uint8_t stored) {
  const std::optional<std::size_t> country =
      zelvane::SelectedCountry(stored, static_cast<std::size_t>(ui_->ComboBoxEx1->count()));
  ui_->ComboBoxEx1->setCurrentIndex(country ? static_cast<int>(*country) : -1);
}

// The index of the country selected; none selected is stored as none.
std::uint8_t TSettings_Zelvane::SelectedCountry() const {
  const int selected = ui_->ComboBoxEx1->currentIndex();
  return selected < 0 ? zelvane::kNoCountry : static_cast<std::uint8_t>(selected);
}

void TSettings_Zelvane::MatchInstalledChannel() {
  currentPlan_ = zelvane::CurrentPlan(SelectedCountry());
  const std::optional<std::size_t> row =
      zelvane::FindChannelByFrequencyText(currentPlan_, installedFrequencyText_.toStdString());
  if (row) CheckChannelButton(*row);
}

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

void TSettings_Zelvane::SetWriteLocked(bool locked) {
  ui_->SpeedButton3->setEnabled(!locked);
  SetEditingEnabled(!locked);
  SetConnectionLocked(locked);
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

// The grid's block, the modulation chosen and the country selected, as
// they stand: the window's edits are in them already.
void TSettings_Zelvane::WriteParameters() {
  if (requestRunning_ || !PortOpen() || tableWindow_ == nullptr) return;
  SetWriteLocked(true);
  tableWindow_->ClearMarks();
  if (!TakeBlockFromGrid()) {
    SetWriteLocked(false);
    return;
  }
  StartRequest();
  const std::uint8_t modulation =
      ui_->RadioButton24->isChecked() ? zelvane::kModulationQam64 : zelvane::kModulationQam32;
  sessionThread_->Write(zelvane::ChangedSettings({SelectedCountry(), block_}, modulation, {}));
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

void TSettings_Zelvane::VerificationReadsEnded() { timer1_->stop(); }

void TSettings_Zelvane::ShowWritten(const zelvane::WriteRequest& written,
                                    const zelvane::WriteOutcome& outcome) {
  ShowVerification(outcome.verification, written.country);
  ShowVerificationReport(written, outcome.verification);
  SetWriteLocked(false);
  EndRequest();
}

// After the channel lookup, whose refill of the grid would clear the marks.
void TSettings_Zelvane::ShowVerificationReport(const zelvane::WriteRequest& written,
                                               const zelvane::Verification& verification) {
  if (verification.Verified()) return;
  const std::vector<std::string> report =
      zelvane::VerificationReport(written, verification, DeviceRecognised());
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
                                         std::uint8_t countryBefore) {
  AppendStatus(verification.Verified() ? kStatusOkText : kVerifyErrorText);
  if (verification.country) {
    SelectCountry(*verification.country);
  } else {
    ui_->ComboBoxEx1->setCurrentIndex(CountryBoxIndex(countryBefore));
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
