// The main window's construction, start-up, shut-down and the handlers that
// tie it to the register table window.
#include "ui/settings_window.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include "link/port_description.h"
#include "params/level_table.h"
#include "ui/captions.h"
#include "ui/glyphs.h"
#include "ui/queued_observer.h"
#include "ui/table_window.h"
#include "ui/workflow_thread.h"
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
  workflowThread_ = new WorkflowThread(this);
  queuedObserver_ =
      std::make_unique<QueuedObserver>(this, static_cast<zelvane::SessionObserver&>(*this));
  session_ = std::make_unique<zelvane::DeviceSession>(*queuedObserver_);
  ui_->BitBtn2->setEnabled(false);
  ListPorts();
  SetStatus(QString());
  block_.fill(0);
  BuildCountryList();
  ui_->SpeedButton5->click();
}

// A workflow running on the workflow thread breaks off its exchange or
// pause at once and releases the port as it unwinds; the program then ends.
void TSettings_Zelvane::FormClose() { session_->Shutdown(); }

void TSettings_Zelvane::closeEvent(QCloseEvent* event) {
  FormClose();
  QWidget::closeEvent(event);
}

void TSettings_Zelvane::ListPorts() {
  ui_->ComboBox1->clear();
  // A name's bytes go back to the system unchanged, whatever their
  // encoding; the text only shows them.
  // What the system knows of the adapter behind a port tells two USB
  // adapters apart; the entry's text stays the name with its mark.
  for (const std::string& entry : zelvane::ListSerialPorts()) {
    ui_->ComboBox1->addItem(QString::fromLocal8Bit(entry), QByteArray::fromStdString(entry));
    const QString description =
        QString::fromStdString(zelvane::DescriptionText(zelvane::DescribeEntry(entry)));
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
  countryPlans_ = zelvane::BuildChannelPlans();
  ui_->ComboBoxEx1->clear();
  for (std::size_t c = 0; c < countryPlans_.size(); ++c) {
    const std::size_t image = countryPlans_[c].Channels.front().ImageIndex;
    ui_->ComboBoxEx1->addItem(image < std::size(images) ? images[image] : QIcon(),
                              QString::fromStdString(countryPlans_[c].Name),
                              static_cast<int>(c));
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
