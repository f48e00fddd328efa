// Writing to a simulated device and verifying what it holds.
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "device/command_codes.h"
#include "link/serial_port.h"
#include "params/param_block.h"
#include "exclusive_ports.h"
#include "window_fixture.h"

using zelvane::testing::Port;
using zelvane::testing::QuickDevice;
using zelvane::testing::Windows;
namespace sim = zelvane::sim;

namespace {

constexpr int kSamplingMs = 20;

// Calls `sample` every few milliseconds while a test waits for a request,
// to see the states a run passes through.
class Sampler {
 public:
  explicit Sampler(std::function<void()> sample) {
    QObject::connect(&timer_, &QTimer::timeout, std::move(sample));
    timer_.start(kSamplingMs);
  }

 private:
  QTimer timer_;
};

zelvane::ParamBlock GridBlock(const TTableIF& table) {
  zelvane::ParamBlock block{};
  for (int row = 0; row < TTableIF::kRows; ++row) {
    for (int column = 1; column < TTableIF::kColumns; ++column) {
      const std::size_t index = TTableIF::BlockByteOf(column, row);
      if (index < block.size()) {
        block[index] = static_cast<std::uint8_t>(table.Cell(column, row).toUInt(nullptr, 16));
      }
    }
  }
  return block;
}

}  // namespace

class WriteTest : public QObject {
  Q_OBJECT

 private slots:
  void writesTheGridAndVerifiesIt() {
    QuickDevice device;
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    w.button("RadioButton5")->click();                 // TV3, 80 MHz
    w.get<TrackBar>("TrackBar1")->setValue(17);        // -3,00 dB
    w.button("RadioButton24")->click();                // QAM 64
    const zelvane::ParamBlock sent = GridBlock(*w.table);

    bool editingLocked = false;
    bool languageLive = false;
    bool writeButtonLocked = false;
    QString writePhase;
    Sampler sampler([&] {
      if (!w.status().startsWith("Set parameters")) return;
      writePhase = w.status();
      editingLocked = !w.get<QWidget>("GroupBox4")->isEnabled() &&
                      !w.get<QWidget>("TrackBar1")->isEnabled() &&
                      !w.get<QWidget>("ComboBoxEx1")->isEnabled() && !w.table->Grid()->isEnabled();
      languageLive = w.button("SpeedButton5")->isEnabled();
      writeButtonLocked = !w.button("SpeedButton3")->isEnabled();
    });
    QVERIFY(w.Write());

    zelvane::ParamBlock expected = sent;
    zelvane::EncodeFrequency(80.0f, expected);
    expected[zelvane::kLevelCodeByte] = 152;
    QCOMPARE(sent, expected);
    const sim::DeviceState held = device.State();
    QCOMPARE(held.block, expected);
    QCOMPARE(held.modulation, 1);
    QCOMPARE(held.country, 0);
    // Each phase shows the progress timer's dots before its outcome.
    QVERIFY2(QRegularExpression("^Set parameters\\.\\.(\\.\\.)+\\.\\.OK!$").match(writePhase).hasMatch(),
             qPrintable(writePhase));
    QVERIFY2(QRegularExpression("^Verify write data\\.\\.(\\.\\.)+\\.\\.OK!$").match(w.status()).hasMatch(),
             qPrintable(w.status()));
    QCOMPARE(w.label("StaticText1")->text(), QStringLiteral("80,00"));
    QVERIFY(w.get<QRadioButton>("RadioButton5")->isChecked());
    QVERIFY(w.get<QRadioButton>("RadioButton24")->isChecked());
    QCOMPARE(w.get<QComboBox>("ComboBoxEx1")->currentText(), QStringLiteral("Russia"));
    QVERIFY(editingLocked);
    QVERIFY(languageLive);
    QVERIFY(writeButtonLocked);
    QVERIFY(w.button("SpeedButton3")->isEnabled());
    QVERIFY(w.get<QWidget>("GroupBox4")->isEnabled());
    QVERIFY(w.table->Grid()->isEnabled());
  }

  void portCannotChangeUnderARunningWrite() {
    QuickDevice device;
    QuickDevice other;
    Windows w({Port(device), Port(other)});
    w.button("RadioButton2")->click();
    QVERIFY(w.ChoosePort(0));
    QVERIFY(w.Connect());
    bool tried = false;
    bool controlsLocked = true;
    Sampler sampler([&] {
      if (!w.status().startsWith("Set parameters")) return;
      for (const char* name : {"BitBtn2", "RadioButton1", "RadioButton2", "SpeedButton1"}) {
        controlsLocked &= !w.button(name)->isEnabled();
      }
      controlsLocked &= !w.get<QComboBox>("ComboBox1")->isEnabled();
      if (tried) return;
      tried = true;
      // What the live event loop could still deliver: a choice from the list.
      w.PickPort(1);
    });
    QVERIFY(w.Write());
    QVERIFY(tried);
    QVERIFY(controlsLocked);
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QVERIFY(other.Requests().empty());
    QVERIFY(zelvane::OpenPort(other.PortPath()));
    if (zelvane::testing::PortsAreExclusive()) {
      QVERIFY2(!zelvane::OpenPort(device.PortPath()), "the device's port stays open");
    }
    QVERIFY(w.button("RadioButton2")->isEnabled());
    QVERIFY(w.get<QComboBox>("ComboBox1")->isEnabled());
  }

  void deviceThatStoresOtherwiseIsShownAsItIs() {
    QuickDevice device;
    device.StoreDifferently(19, 101);  // level code of -5,00 dB
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    QVERIFY(w.Write());
    QVERIFY2(w.status().endsWith("..ERROR!"), qPrintable(w.status()));
    QCOMPARE(w.get<QLineEdit>("Edit1")->text(), QStringLiteral("-5,00"));
    QCOMPARE(w.get<TrackBar>("TrackBar1")->value(), 13);
    QCOMPARE(w.settings->Block()[zelvane::kLevelCodeByte], 101);
    QCOMPARE(w.table->Cell(2, 9), QStringLiteral("65"));
  }

  void failedVerificationIsExplainedAndItsCellMarked() {
    QuickDevice device;
    device.StoreDifferently(zelvane::kLevelCodeByte, 0xA7);
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    const QString whatTheStatusIs = w.label("Label5")->accessibleDescription();
    w.get<TrackBar>("TrackBar1")->setValue(17);  // -3,00 dB, code 98
    QVERIFY(w.Write());
    QVERIFY2(w.status().endsWith("..ERROR!"), qPrintable(w.status()));
    const QString report = w.label("Label5")->toolTip();
    QVERIFY2(report.contains("byte 19: wrote 98, device holds A7"), qPrintable(report));
    QVERIFY2(report.contains("level: wrote -3,00 dB (98), device holds"), qPrintable(report));
    QCOMPARE(w.label("Label5")->accessibleDescription(), whatTheStatusIs + '\n' + report);
    for (std::size_t i = 0; i < zelvane::kBlockSize; ++i) {
      QVERIFY2(w.table->Marked(i) == (i == zelvane::kLevelCodeByte), qPrintable(QString::number(i)));
    }
    const QTableWidgetItem* cell = w.table->Grid()->item(9, 2);
    const QString whatTheCellIs = cell->data(Qt::AccessibleDescriptionRole).toString();
    QVERIFY2(whatTheCellIs.endsWith("\nbyte 19: wrote 98, device holds A7"), qPrintable(whatTheCellIs));

    // A good write clears it all.
    device.StoreDifferently(zelvane::kLevelCodeByte, 0x98);
    w.get<TrackBar>("TrackBar1")->setValue(17);
    QVERIFY(w.Write());
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QVERIFY(w.label("Label5")->toolTip().isEmpty());
    QCOMPARE(w.label("Label5")->accessibleDescription(), whatTheStatusIs);
    QVERIFY(!cell->data(Qt::AccessibleDescriptionRole).toString().contains('\n'));
    for (std::size_t i = 0; i < zelvane::kBlockSize; ++i) QVERIFY(!w.table->Marked(i));
  }

  void typedCellIsWrittenAsTyped() {
    QuickDevice device;
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    w.table->SetCell(1, 0, "1FF");
    w.table->SetCell(2, 3, "a");
    w.table->SetCell(2, 14, "zz");  // no byte of the block: never read
    QVERIFY(w.Write());
    QCOMPARE(device.State().block[0], 0xFF);
    QCOMPARE(device.State().block[7], 0x0A);
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
  }

  void unreadableCellStopsBeforeAnythingIsSent_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("letter") << "G1";
    QTest::newRow("blank") << " ";
  }
  void unreadableCellStopsBeforeAnythingIsSent() {
    QFETCH(QString, text);
    QuickDevice device;
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    const std::size_t requestsBefore = device.Requests().size();
    w.table->SetCell(2, 5, text);
    // Refused before any request is posted.
    w.button("SpeedButton3")->click();
    QCOMPARE(w.errors.size(), std::size_t{1});
    QCOMPARE(w.errors[0].text, QStringLiteral("'0x0%1' is not a valid integer value").arg(text));
    QCOMPARE(device.Requests().size(), requestsBefore);
    QVERIFY(w.button("SpeedButton3")->isEnabled());
    QVERIFY(w.get<QWidget>("GroupBox4")->isEnabled());
    QVERIFY2(w.status().endsWith("..OK!"), "the connect's status stays");
  }

  void unrecognisedDeviceGetsNoModulationCommand() {
    sim::DeviceState state;
    state.revision = "rev2";
    QuickDevice device(state);
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    QVERIFY(w.Write());
    QVERIFY2(w.status().endsWith("..OK!"), qPrintable(w.status()));
    QVERIFY(device.RequestsFor(zelvane::kCmdSetModulation).empty());
    QVERIFY(device.RequestsFor(zelvane::kCmdReadModulation).empty());
    QVERIFY(!w.button("RadioButton23")->isEnabled());
  }

  void writesTheDeviceRefusesEndTheWritePhaseWithError() {
    QuickDevice device;
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    device.Script(zelvane::kCmdWriteParamBlock, {sim::Silence()});
    QString writePhase;
    Sampler sampler([&] {
      if (w.status().startsWith("Set parameters")) writePhase = w.status();
    });
    QVERIFY(w.Write());
    QVERIFY2(writePhase.endsWith("..Error!"), qPrintable(writePhase));
  }

  void noCountrySelectedIsWrittenAs255() {
    QuickDevice device;
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    w.get<QComboBox>("ComboBoxEx1")->setCurrentIndex(-1);
    QVERIFY(w.Write());
    QCOMPARE(device.State().country, 255);
    QCOMPARE(w.get<QComboBox>("ComboBoxEx1")->currentIndex(), 0);
    QCOMPARE(w.get<QComboBox>("ComboBoxEx1")->placeholderText(), QStringLiteral("Выбрать страну"));
  }

  void failedReadBackUsesNoByteOfIt_data() {
    QTest::addColumn<sim::ReplyScript>("reply");
    QTest::newRow("no reply") << sim::Silence();
    QTest::newRow("short reply") << sim::WithData(std::vector<std::uint8_t>(20, 0));
    QTest::newRow("reply cut at 20 bytes") << sim::Truncated(20);
  }
  void failedReadBackUsesNoByteOfIt() {
    QFETCH(sim::ReplyScript, reply);
    QuickDevice device;
    Windows w({Port(device)});
    QVERIFY(w.Connect());
    w.table->SetCell(1, 0, "00");  // the zero tail of a short reply would match this
    const zelvane::ParamBlock before = GridBlock(*w.table);
    device.Script(zelvane::kCmdReadParamBlock, {reply});
    device.Script(zelvane::kCmdReadCountryIndex, {sim::Silence()});
    QVERIFY(w.Write());
    QVERIFY2(w.status().endsWith("..ERROR!"), qPrintable(w.status()));
    QCOMPARE(w.settings->Block(), before);
    QCOMPARE(w.get<QComboBox>("ComboBoxEx1")->currentIndex(), 0);
    QCOMPARE(w.label("StaticText1")->text(), QStringLiteral("62,00"));
    // The channel of the frequency shown is checked again.
    QVERIFY(w.get<QRadioButton>("RadioButton4")->isChecked());
  }
};

QTEST_MAIN(WriteTest)
#include "write_test.moc"
