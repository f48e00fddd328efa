// Connecting to simulated devices, and the editing controls on the result.
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "device/command_codes.h"
#include "link/serial_port.h"
#include "params/channel_plan.h"
#include "params/param_block.h"
#include "exclusive_ports.h"
#include "window_fixture.h"

using zelvane::testing::Port;
using zelvane::testing::QuickDevice;
using zelvane::testing::Windows;
namespace sim = zelvane::sim;

namespace {

constexpr int kWatchMs = 5;

sim::DeviceState AtFrequency(float megahertz) {
  sim::DeviceState state;
  zelvane::ParamBlock block = state.block;
  zelvane::EncodeFrequency(megahertz, block);
  state.block = block;
  return state;
}

std::array<std::uint8_t, 4> FrequencyBytes(const zelvane::ParamBlock& block) {
  return {block[25], block[26], block[27], block[28]};
}

}  // namespace

class ConnectionTest : public QObject {
  Q_OBJECT

 private slots:
  void connectsAutomaticallyAndShowsTheDevice() {
    QuickDevice device;
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    QVERIFY2(w.status().startsWith("Find device and connect..."), qPrintable(w.status()));
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QVERIFY(!w.get<QWidget>("Panel1")->isHidden());
    QVERIFY(!w.button("BitBtn2")->isEnabled());
    QVERIFY(w.settings->PortOpen());
    QCOMPARE(w.label("StaticText1")->text(), QStringLiteral("62,00"));
    QCOMPARE(w.get<QComboBox>("ComboBoxEx1")->currentText(), QStringLiteral("Russia"));
    QCOMPARE(w.get<QLineEdit>("Edit1")->text(), QStringLiteral("0,00"));
    QCOMPARE(w.get<TrackBar>("TrackBar1")->value(), 24);
    // 62,00 is TV2, whose action encodes the plan's 62.0 MHz into the block.
    QVERIFY(w.get<QRadioButton>("RadioButton4")->isChecked());
    QCOMPARE(w.label("StaticText2")->text(), QStringLiteral("62,00"));
    QCOMPARE(FrequencyBytes(w.settings->Block()), (std::array<std::uint8_t, 4>{0x12, 0x5E, 0xD0, 0x5C}));
    QCOMPARE(w.table->Cell(1, 14), QStringLiteral("5C"));
    QCOMPARE(w.table->Cell(1, 4), QStringLiteral("08"));
    // The device is recognised, so its modulation buttons are live.
    QVERIFY(w.button("RadioButton23")->isEnabled());
    QVERIFY(w.get<QRadioButton>("RadioButton23")->isChecked());
  }

  void connectsFromTheList() {
    sim::DeviceState state;
    state.modulation = 1;
    QuickDevice device(state);
    Windows w({Port(device)});
    w.button("RadioButton2")->click();
    QVERIFY(w.get<QComboBox>("ComboBox1")->isEnabled());
    QVERIFY(!w.button("SpeedButton1")->isHidden());
    QVERIFY(!w.button("BitBtn2")->isEnabled());
    QVERIFY(w.ChoosePort(0));
    QVERIFY(w.errors.empty());
    QVERIFY(w.button("BitBtn2")->isEnabled());
    QVERIFY(w.Connect());
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QVERIFY(w.get<QRadioButton>("RadioButton24")->isChecked());

    // Back to the automatic option: Connect is offered again, the panel
    // goes, the port stays open.
    w.button("RadioButton1")->click();
    QVERIFY(w.button("BitBtn2")->isEnabled());
    QVERIFY(w.get<QWidget>("Panel1")->isHidden());
    if (zelvane::testing::PortsAreExclusive()) QVERIFY(!zelvane::OpenPort(device.PortPath()));
  }

  void pathThatIsNotUtf8Connects_data() {
    QTest::addColumn<bool>("fromTheList");
    QTest::newRow("from the list") << true;
    QTest::newRow("automatically") << false;
  }
  void pathThatIsNotUtf8Connects() {
#ifdef _WIN32
    QSKIP("COM port names are ASCII");
#else
    QFETCH(bool, fromTheList);
    sim::Simulator device;
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path()) + "/port-\xE9";  // Latin-1, not UTF-8
    QCOMPARE(symlink(device.PortPath().c_str(), path.constData()), 0);
    Windows w(zelvane::testing::PortBytes{path});
    if (fromTheList) {
      w.button("RadioButton2")->click();
      QVERIFY(w.ChoosePort(0));
      QVERIFY(w.errors.empty());
    }
    QVERIFY(w.Connect());
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QVERIFY(!device.Requests().empty());
#endif
  }

  void portErrorsOfTheList() {
    if (!zelvane::testing::PortsAreExclusive()) QSKIP(zelvane::testing::kWineSharesPorts);
    QuickDevice busy;
    QuickDevice vanishing;
    zelvane::PortHandle heldBeforeListing = zelvane::OpenPort(busy.PortPath());
    Windows w({Port(busy), Port(vanishing)});
    w.button("RadioButton2")->click();

    QVERIFY(w.ChoosePort(0));  // listed " in use"
    QCOMPARE(w.errors.size(), std::size_t{1});
    QCOMPARE(w.errors.back().text, QStringLiteral("Port in use by other application"));
    QCOMPARE(w.errors.back().title, QStringLiteral("Connect error"));

    zelvane::PortHandle takenAfterListing = zelvane::OpenPort(vanishing.PortPath());
    QVERIFY(w.ChoosePort(1));
    QCOMPARE(w.errors.size(), std::size_t{2});
    QCOMPARE(w.errors.back().text, QStringLiteral("Invalid open port"));
    QVERIFY(!w.settings->PortOpen());
    QVERIFY(!w.button("BitBtn2")->isEnabled());
  }

  void scanSkipsBusyAndSilentPorts() {
    if (!zelvane::testing::PortsAreExclusive()) QSKIP(zelvane::testing::kWineSharesPorts);
    QuickDevice busy;
    QuickDevice silent;
    silent.SetDefaultReply(sim::Silence());
    QuickDevice device;
    zelvane::PortHandle held = zelvane::OpenPort(busy.PortPath());
    Windows w({Port(busy), Port(silent), Port(device)});
    QVERIFY(w.Connect());
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QVERIFY(busy.Requests().empty());
    QCOMPARE(silent.RequestsFor(zelvane::kCmdModules).size(), std::size_t{1});
    QVERIFY(zelvane::OpenPort(silent.PortPath()));
    QVERIFY(!zelvane::OpenPort(device.PortPath()));
  }

  void breakEndsTheScanWithControlsLockedMeanwhile() {
    QuickDevice silent;
    silent.SetDefaultReply(sim::Silence());
    QuickDevice device;
    Windows w({Port(silent), Port(device)});
    bool breakShown = false;
    bool connectionControlsLocked = false;
    // The click comes while the silent port is being identified.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (silent.Requests().empty() || breakShown) return;
      breakShown = !w.button("SpeedButton4")->isHidden();
      connectionControlsLocked = !w.button("BitBtn2")->isEnabled() &&
                                 !w.button("RadioButton1")->isEnabled() &&
                                 !w.button("RadioButton2")->isEnabled();
      w.button("SpeedButton4")->click();
    });
    watch.start(kWatchMs);
    QVERIFY(w.Connect());
    QVERIFY(breakShown);
    QVERIFY(connectionControlsLocked);
    // The break cuts the silent port's wait short, so the timer may have
    // added no dots between the starting text and the outcome.
    QVERIFY2(QRegularExpression("^Find device and connect\\.\\.\\.(\\.\\.)*\\.\\.Error!$")
                 .match(w.status())
                 .hasMatch(),
             qPrintable(w.status()));
    QVERIFY(device.Requests().empty());
    QVERIFY(!w.settings->PortOpen());
    QVERIFY(w.button("SpeedButton4")->isHidden());
    QVERIFY(w.button("BitBtn2")->isEnabled());
    QVERIFY(w.button("RadioButton2")->isEnabled());

    QVERIFY(w.Connect());
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
  }

  // The click posts the search and returns; the window shows it running
  // and takes the result when it comes.
  void connectReturnsWhileTheSearchRuns() {
    QuickDevice silent;
    silent.SetDefaultReply(sim::Silence());
    QuickDevice device;
    Windows w({Port(silent), Port(device)});
    QSignalSpy ended(w.settings.get(), &TSettings_Zelvane::RequestEnded);
    w.button("BitBtn2")->click();
    // The silent port holds the scan for hundreds of milliseconds.
    QVERIFY(device.Requests().empty());
    QCOMPARE(w.status(), QStringLiteral("Find device and connect..."));
    QVERIFY(!w.button("SpeedButton4")->isHidden());
    QVERIFY(!w.button("BitBtn2")->isEnabled());
    QVERIFY(ended.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), zelvane::testing::kRequestDeadlineMs);
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QVERIFY(w.button("SpeedButton4")->isHidden());
  }

  void storedCountry_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("selected");
    QTest::newRow("none stored") << 255 << 0;
    QTest::newRow("first") << 0 << 0;
    QTest::newRow("no such country") << 7 << -1;
  }
  void storedCountry() {
    QFETCH(int, stored);
    QFETCH(int, selected);
    sim::DeviceState state;
    state.country = static_cast<std::uint8_t>(stored);
    QuickDevice device(state);
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QCOMPARE(w.get<QComboBox>("ComboBoxEx1")->currentIndex(), selected);
    // Without a country the first country's plan serves the channel match.
    QVERIFY(!w.settings->CurrentPlan().empty());
    QVERIFY(w.get<QRadioButton>("RadioButton4")->isChecked());
  }

  void installedFrequencyOffEveryChannelChecksNone() {
    QuickDevice device(AtFrequency(62.01f));
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    QCOMPARE(w.label("StaticText1")->text(), QStringLiteral("62,01"));
    for (std::size_t row = 0; row < zelvane::kChannelCount; ++row) {
      QVERIFY(!w.get<QRadioButton>(zelvane::ChannelButtonName(row).c_str())->isChecked());
    }
    QVERIFY(w.label("StaticText2")->text().isEmpty());
  }

  void secondConnectAtTheSameChannelRunsNoAction() {
    QuickDevice device;  // holds 125ED098, which TV2's action turns into 125ED05C
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    QCOMPARE(w.settings->Block()[28], 0x5C);
    w.button("RadioButton2")->click();
    w.button("RadioButton1")->click();
    QVERIFY(w.Connect());
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QVERIFY(w.get<QRadioButton>("RadioButton4")->isChecked());
    QCOMPARE(w.settings->Block()[28], 0x98);
  }

  void refreshClearsThePortChoice() {
    QuickDevice device;
    Windows w({Port(device)});
    w.button("RadioButton2")->click();
    QVERIFY(w.ChoosePort(0));
    QVERIFY(w.Connect());
    QVERIFY(w.Refresh());
    auto* ports = w.get<QComboBox>("ComboBox1");
    QCOMPARE(ports->currentIndex(), -1);
    QVERIFY(ports->lineEdit()->placeholderText().isEmpty());
    QCOMPARE(ports->count(), 1);
    QVERIFY(!w.button("BitBtn2")->isEnabled());
    QVERIFY(w.status().isEmpty());
    QVERIFY(w.get<QWidget>("Panel1")->isHidden());
    QVERIFY(!w.settings->PortOpen());
    w.button("SpeedButton5")->click();
    QCOMPARE(ports->lineEdit()->placeholderText(), QStringLiteral("Select port to connect"));
  }

  void failedReadsLeaveTheDeviceUnused_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<sim::ReplyScript>("reply");
    QTest::newRow("country read fails") << int(zelvane::kCmdReadCountryIndex) << sim::Silence();
    // Its length byte still promises the country byte.
    QTest::newRow("country reply cut before its byte")
        << int(zelvane::kCmdReadCountryIndex) << sim::Truncated(14);
    QTest::newRow("block read fails") << int(zelvane::kCmdReadParamBlock) << sim::Silence();
    QTest::newRow("block reply short")
        << int(zelvane::kCmdReadParamBlock) << sim::WithData(std::vector<std::uint8_t>(20, 0x11));
    QTest::newRow("block reply cut at 20 bytes")
        << int(zelvane::kCmdReadParamBlock) << sim::Truncated(20);
  }
  void failedReadsLeaveTheDeviceUnused() {
    QFETCH(int, command);
    QFETCH(sim::ReplyScript, reply);
    QuickDevice device;
    device.Script(static_cast<std::uint8_t>(command), {reply});
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    QVERIFY2(w.status().endsWith("..Error!"), qPrintable(w.status()));
    QVERIFY(w.get<QWidget>("Panel1")->isHidden());
    QCOMPARE(w.settings->Block(), zelvane::ParamBlock{});
    QCOMPARE(w.get<QComboBox>("ComboBoxEx1")->currentIndex(), -1);
    QVERIFY(!w.settings->PortOpen());
    QVERIFY(w.button("BitBtn2")->isEnabled());
  }

  void unrecognisedDeviceKeepsModulationDisabled() {
    sim::DeviceState state;
    state.revision = "rev3_20102009x";
    QuickDevice device(state);
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QVERIFY(!w.settings->DeviceRecognised());
    QVERIFY(!w.button("RadioButton23")->isEnabled());
    QVERIFY(!w.button("RadioButton24")->isEnabled());
  }

  void channelButtonEncodesItsFrequency() {
    QuickDevice device;
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    const zelvane::ParamBlock before = w.settings->Block();
    w.button("RadioButton3")->click();  // TV1
    QCOMPARE(w.label("StaticText2")->text(), QStringLiteral("52,50"));
    zelvane::ParamBlock expected = before;
    expected[25] = 0x0F;
    expected[26] = 0x8E;
    expected[27] = 0x38;
    expected[28] = 0xB1;
    QCOMPARE(w.settings->Block(), expected);
    QCOMPARE(w.table->Cell(2, 12) + w.table->Cell(1, 13) + w.table->Cell(2, 13) + w.table->Cell(1, 14),
             QStringLiteral("0F8E38B1"));

    w.table->SetCell(1, 0, "AA");  // a typed cell is refilled by the next channel
    w.button("RadioButton15")->click();  // СTV5, row 12
    QCOMPARE(w.label("StaticText2")->text(), QStringLiteral("146,00"));
    QCOMPARE(w.table->Cell(1, 0), QStringLiteral("00"));
  }

  void sliderMovesTheOtherLevelControls() {
    QuickDevice device;
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    auto* slider = w.get<TrackBar>("TrackBar1");
    w.table->SetCell(1, 9, "AB");
    slider->setValue(17);
    QCOMPARE(w.get<UpDown>("UpDown1")->Position(), 17);
    QCOMPARE(slider->SelStart(), 17);
    QCOMPARE(slider->SelEnd(), 17);
    QCOMPARE(w.get<QLineEdit>("Edit1")->text(), QStringLiteral("-3,00"));
    QCOMPARE(w.settings->Block()[zelvane::kLevelCodeByte], 152);
    QCOMPARE(w.table->Cell(2, 9), QStringLiteral("98"));
    QCOMPARE(w.table->Cell(1, 9), QStringLiteral("AB"));
  }

  void upDownHasARangeOfItsOwn() {
    QuickDevice device;  // connects at full level, position 24
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    auto* slider = w.get<TrackBar>("TrackBar1");
    auto* upDown = w.get<UpDown>("UpDown1");
    QCOMPARE(slider->value(), 24);
    for (int i = 0; i < 5; ++i) upDown->IncreaseButton()->click();
    QCOMPARE(slider->value(), 24);
    QCOMPARE(upDown->Position(), 29);
    for (int i = 0; i < 5; ++i) upDown->DecreaseButton()->click();
    QCOMPARE(slider->value(), 24);
    upDown->DecreaseButton()->click();
    QCOMPARE(slider->value(), 23);
    QCOMPARE(w.get<QLineEdit>("Edit1")->text(), QStringLiteral("-0,30"));
  }

  void typedLevels_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("shown");
    QTest::newRow("-2") << "-2" << 19 << "-2,00";
    QTest::newRow("-2.7") << "-2.7" << 17 << "-3,00";
    QTest::newRow("-20") << "-20" << 0 << "-11,29";
    QTest::newRow("-9,95") << "-9,95" << 24 << "-9,95";
    QTest::newRow("255") << "255" << 24 << "255";
    QTest::newRow("lone minus") << "-" << 24 << "-";
  }
  void typedLevels() {
    QFETCH(QString, typed);
    QFETCH(int, position);
    QFETCH(QString, shown);
    QuickDevice device;
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    // Whole texts, as pasted: each change of the text is judged on its own.
    auto* edit = w.get<QLineEdit>("Edit1");
    edit->setText(typed);
    QCOMPARE(w.get<TrackBar>("TrackBar1")->value(), position);
    QCOMPARE(edit->text(), shown);
  }
};

QTEST_MAIN(ConnectionTest)
#include "connection_test.moc"
