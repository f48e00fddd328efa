// The main window's start-up, its languages and the register table window.
#include <QTableWidget>
#include <QToolButton>

#include "link/serial_port.h"
#include "params/channel_caption.h"
#include "params/channel_plan.h"
#include "ui/glyphs.h"
#include "exclusive_ports.h"
#include "window_fixture.h"

using zelvane::testing::Port;
using zelvane::testing::Windows;

namespace {

QImage IconImage(const QAbstractButton* button) {
  return button->icon().pixmap(QSize(16, 11)).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage Image(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensInRussianWithNothingConnected() {
    zelvane::testing::SimulatedDevice device;
    Windows w({Port(device)});
    QCOMPARE(w.settings->windowTitle(), QStringLiteral("Установка параметров устройства(v. 1.0)"));
    QCOMPARE(w.button("SpeedButton5")->text(), QStringLiteral("Язык интерфейса"));
    QCOMPARE(IconImage(w.button("SpeedButton5")), Image(glyphs::RussianFlag()));
    QCOMPARE(w.button("BitBtn2")->text(), QStringLiteral("Подключить"));
    QVERIFY(w.get<QRadioButton>("RadioButton1")->isChecked());
    QVERIFY(w.label("StaticText1")->text().isEmpty());
    QVERIFY(w.label("StaticText2")->text().isEmpty());
    QVERIFY(w.status().isEmpty());
    QVERIFY(w.get<QWidget>("Panel1")->isHidden());

    auto* ports = w.get<QComboBox>("ComboBox1");
    QVERIFY(!ports->isEnabled());
    QCOMPARE(ports->currentIndex(), -1);
    QCOMPARE(ports->lineEdit()->placeholderText(), QStringLiteral("Выбрать порт"));
    QCOMPARE(ports->count(), 1);
    QCOMPARE(ports->itemText(0), Port(device));
    QVERIFY(w.button("BitBtn2")->isEnabled());

    auto* countries = w.get<QComboBox>("ComboBoxEx1");
    QCOMPARE(countries->count(), 1);
    QCOMPARE(countries->itemText(0), QStringLiteral("Russia"));
    QCOMPARE(countries->currentIndex(), -1);
    QCOMPARE(countries->placeholderText(), QStringLiteral("Выбрать страну"));
    QVERIFY(w.errors.empty());
    QVERIFY(!w.settings->EnglishCaptions());

    // The command line names the channels by the buttons' captions.
    for (std::size_t row = 0; row < zelvane::kChannelCount; ++row) {
      QCOMPARE(w.get<QRadioButton>(zelvane::ChannelButtonName(row).c_str())->text(),
               QString::fromStdString(zelvane::ChannelCaption(row)));
    }
  }

  void busyPortIsListedAndConnectStaysEnabled() {
    if (!zelvane::testing::PortsAreExclusive()) QSKIP(zelvane::testing::kWineSharesPorts);
    zelvane::testing::SimulatedDevice device;
    zelvane::PortHandle held = zelvane::OpenPort(device.PortPath());
    Windows w({Port(device)});
    QCOMPARE(w.get<QComboBox>("ComboBox1")->itemText(0), Port(device) + " in use");
    QVERIFY(w.button("BitBtn2")->isEnabled());
  }

  void serviceSwitch_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("visible");
    QTest::newRow("Q") << QStringList{"zelvane-settings", "Q"} << true;
    QTest::newRow("Q and more") << QStringList{"zelvane-settings", "Q", "x"} << true;
    QTest::newRow("q") << QStringList{"zelvane-settings", "q"} << false;
    QTest::newRow("QQ") << QStringList{"zelvane-settings", "QQ"} << false;
    QTest::newRow("Q blank") << QStringList{"zelvane-settings", "Q "} << false;
    QTest::newRow("none") << QStringList{"zelvane-settings"} << false;
  }
  void serviceSwitch() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, visible);
    Windows w({}, arguments);
    QCOMPARE(!w.button("SpeedButton2")->isHidden(), visible);
  }

  void languageSwitchesThereAndBack() {
    Windows w({});
    auto* countries = w.get<QComboBox>("ComboBoxEx1");
    w.button("SpeedButton5")->click();
    QVERIFY(w.settings->EnglishCaptions());
    QCOMPARE(w.settings->windowTitle(), QStringLiteral("Set device parameters(v. 1.0)"));
    QCOMPARE(IconImage(w.button("SpeedButton5")), Image(glyphs::BritishFlag()));
    QCOMPARE(w.button("SpeedButton3")->text(), QStringLiteral("Write parameters"));
    QCOMPARE(w.label("Label3")->text(), QStringLiteral("Admissible range of customisation level RF(dB)"));
    QCOMPARE(countries->placeholderText(), QStringLiteral("Select country"));
    QCOMPARE(w.get<QComboBox>("ComboBox1")->lineEdit()->placeholderText(), QStringLiteral("Select port to connect"));

    countries->setCurrentIndex(0);
    w.button("SpeedButton5")->click();
    QCOMPARE(w.settings->windowTitle(), QStringLiteral("Установка параметров устройства(v. 1.0)"));
    QCOMPARE(w.label("Label6")->text(), QStringLiteral("Допустимый диапазон настройки RF(MHz)"));
    QCOMPARE(IconImage(w.button("SpeedButton5")), Image(glyphs::RussianFlag()));
    QCOMPARE(countries->currentText(), QStringLiteral("Russia"));
  }

  void noPortShowsTheErrorBoxOnce() {
    Windows w({});
    if (w.get<QComboBox>("ComboBox1")->count() != 0) QSKIP("this machine lists serial ports of its own");
    QCOMPARE(w.errors.size(), std::size_t{1});
    QCOMPARE(w.errors[0].text, QStringLiteral("Нет портов подключения"));
    QCOMPARE(w.errors[0].title, QStringLiteral("Ошибка подключения"));
    QVERIFY(!w.button("BitBtn2")->isEnabled());
  }

  void gridShowsTheBlock() {
    TTableIF table;
    QCOMPARE(table.Grid()->rowCount(), 15);
    QCOMPARE(table.Grid()->columnCount(), 3);
    QCOMPARE(table.Grid()->columnWidth(1), 45);
    QCOMPARE(table.Grid()->rowHeight(1), 19);
    QCOMPARE(table.Cell(0, 0), QStringLiteral("Bt 0,1"));
    QCOMPARE(table.Cell(0, 14), QStringLiteral("Bt 28,29"));
    QVERIFY(!(table.Grid()->item(0, 0)->flags() & Qt::ItemIsEditable));
    QVERIFY(table.Grid()->item(0, 1)->flags() & Qt::ItemIsEditable);

    zelvane::ParamBlock block{};
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(0xE0 + i);
    table.SetBlock(&block);
    table.SetCell(2, 14, "7F");
    table.FillGrid();
    QCOMPARE(table.Cell(1, 0), QStringLiteral("E0"));
    QCOMPARE(table.Cell(2, 9), QStringLiteral("F3"));
    QCOMPARE(table.Cell(1, 14), QStringLiteral("FC"));
    QCOMPARE(table.Cell(2, 14), QStringLiteral("00"));
  }

  void defaultCells() {
    TTableIF table;
    table.SetCell(1, 0, "AB");
    table.LoadDefaultCells();
    QCOMPARE(table.Cell(1, 0), QStringLiteral("00"));
    QCOMPARE(table.Cell(2, 2), QStringLiteral("01"));
    QCOMPARE(table.Cell(2, 6), QStringLiteral("C1"));
    QCOMPARE(table.Cell(2, 9), QStringLiteral("FF"));
    const QString frequency = table.Cell(2, 12) + table.Cell(1, 13) + table.Cell(2, 13) + table.Cell(1, 14);
    QCOMPARE(frequency, QStringLiteral("125ED098"));
    QCOMPARE(table.Cell(2, 14), QStringLiteral("00"));
    QCOMPARE(table.Cell(0, 3), QStringLiteral("Bt 6,7"));
  }

  void tableWindowFollowsTheMainWindow() {
    Windows w({});
    QVERIFY(w.table->isHidden());
    w.settings->move(120, 80);
    const QRect frame = w.settings->frameGeometry();
    QCOMPARE(w.table->pos(), QPoint(frame.left() + frame.width() + 4, frame.top() + 20));
    QVERIFY(w.table->isHidden());
    QVERIFY(w.table->windowFlags() & Qt::FramelessWindowHint);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
