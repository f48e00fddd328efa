// The main window's construction, start-up and shut-down: it composes the
// features and connects them to the session's signals, and ties it to the
// register table window.
#include "ui/settings_window.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>

#include "ui/captions.h"
#include "ui/connection_panel.h"
#include "ui/glyphs.h"
#include "ui/parameter_editor.h"
#include "ui/request_gate.h"
#include "ui/session_thread.h"
#include "ui/status_line.h"
#include "ui/table_window.h"
#include "ui/write_verification.h"
#include "ui_settings_window.h"

namespace {

constexpr char kServiceSwitch[] = "Q";
constexpr int kFontPixelSize = 11;
constexpr int kTableOffsetTop = 20;
constexpr int kTableGapLeft = 4;
constexpr int kUpDownMaximum = 100;

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
  SetUpControls();
  connect(ui_->SpeedButton5, &QToolButton::clicked, this, [this] { SpeedButton5Click(); });
  connect(ui_->SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
  ui_->SpeedButton2->installEventFilter(this);
  FormCreate(arguments);

  adjustSize();
  const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
  move(desktop.center() - QPoint(width() / 2, height() / 2));
}

TSettings_Zelvane::~TSettings_Zelvane() = default;

const zelvane::ParamBlock& TSettings_Zelvane::Block() const { return editor_->Block(); }

const std::vector<zelvane::ChannelEntry>& TSettings_Zelvane::CurrentPlan() const {
  return editor_->CurrentPlan();
}

bool TSettings_Zelvane::PortOpen() const { return sessionThread_->PortOpen(); }

bool TSettings_Zelvane::DeviceRecognised() const { return sessionThread_->DeviceRecognised(); }

// Fonts, colours and glyphs that the form cannot hold.
void TSettings_Zelvane::SetUpControls() {
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
}

// The numbers' decimal comma needs no process-wide setting here: every
// level and frequency text is written and read with ',' by params/.
void TSettings_Zelvane::FormCreate(const QStringList& arguments) {
  englishCaptions_ = true;
  ui_->SpeedButton2->setVisible(arguments.value(1) == QLatin1String(kServiceSwitch));
  sessionThread_ = std::make_unique<SessionThread>();
  gate_ = std::make_unique<RequestGate>();
  connect(gate_.get(), &RequestGate::Ended, this, &TSettings_Zelvane::RequestEnded);
  status_ = std::make_unique<StatusLine>(ui_->Label5);
  editor_ = std::make_unique<ParameterEditor>(*ui_, this, errorBox_);
  connection_ = std::make_unique<ConnectionPanel>(*ui_, this, *sessionThread_, *gate_, *status_,
                                                  *editor_, errorBox_);
  write_ = std::make_unique<WriteVerification>(ui_->SpeedButton3, *sessionThread_, *gate_,
                                               *status_, *editor_, *connection_,
                                               [this] { return CurrentCaptions().countryPrompt; });
  ConnectSession();
  status_->Show(QString());
  ui_->SpeedButton5->click();
}

// The session's steps and results arrive queued, on the window's thread.
void TSettings_Zelvane::ConnectSession() {
  const SessionThread* session = sessionThread_.get();
  ConnectionPanel* connection = connection_.get();
  WriteVerification* write = write_.get();
  connect(session, &SessionThread::PortChosen, connection, &ConnectionPanel::ShowPortChoice);
  connect(session, &SessionThread::PortsListed, connection, &ConnectionPanel::ShowRefreshedPorts);
  connect(session, &SessionThread::DiscoveryEnded, connection, &ConnectionPanel::EndDiscovery);
  connect(session, &SessionThread::Connected, connection, &ConnectionPanel::ShowConnection);
  connect(session, &SessionThread::WritingStarted, write, &WriteVerification::WritingStarted);
  connect(session, &SessionThread::WritingEnded, write, &WriteVerification::WritingEnded);
  connect(session, &SessionThread::VerificationStarted, write,
          &WriteVerification::VerificationStarted);
  connect(session, &SessionThread::ModulationReadBackStarted, write,
          &WriteVerification::ModulationReadBackStarted);
  connect(session, &SessionThread::ModulationReadBack, editor_.get(),
          &ParameterEditor::ApplyModulation);
  connect(session, &SessionThread::VerificationReadsEnded, write,
          &WriteVerification::VerificationReadsEnded);
  connect(session, &SessionThread::Written, write, &WriteVerification::ShowWritten);
}

// A workflow running on the session's thread breaks off its exchange or
// pause at once and releases the port as it unwinds; the program then ends.
void TSettings_Zelvane::FormClose() { sessionThread_->Shutdown(); }

void TSettings_Zelvane::closeEvent(QCloseEvent* event) {
  FormClose();
  QWidget::closeEvent(event);
}

void TSettings_Zelvane::AttachTableWindow(TTableIF* table) {
  tableWindow_ = table;
  editor_->AttachTable(table);
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
  editor_->AttachTable(tableWindow_);
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
