// What assistive technology announces for the window's controls, in both
// interface languages.
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QTableWidget>
#include <QToolButton>

#include "link/port_description.h"
#ifndef _WIN32
#include "sysfs_fixture.h"
#endif
#include "window_fixture.h"

using zelvane::testing::Port;
using zelvane::testing::QuickDevice;
using zelvane::testing::Windows;

namespace {

QString Announced(QObject* object, QAccessible::Text kind = QAccessible::Name) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
  return accessible != nullptr ? accessible->text(kind) : QStringLiteral("<none>");
}

QString CellDescription(QTableWidget* grid, int row, int column) {
  QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(grid)->tableInterface();
  return table->cellAt(row, column)->text(QAccessible::Description);
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  // A readout's name is its value; its description says what it is.
  void everyControlIsNamedInTheLanguageOfTheMoment() {
    struct Case {
      const char* control;
      const char* russian;
      const char* english;
      QAccessible::Text kind = QAccessible::Name;
    };
    const Case cases[] = {
        {"Label5", "Состояние подключения", "Connection status", QAccessible::Description},
        {"StaticText1", "Установленная RF (MHz)", "Installed RF (MHz)", QAccessible::Description},
        {"StaticText2", "Выбранная RF (MHz)", "Chosen RF (MHz)", QAccessible::Description},
        {"ComboBoxEx1", "Страна", "Country", QAccessible::Description},
        {"ComboBox1", "Порт подключения", "Port to connect"},
        {"SpeedButton1", "Обновить список портов", "Refresh port list"},
        {"SpeedButton4", "Прервать автоподключение", "Break auto connection"},
        {"TrackBar1", "Уровень RF (dB)", "RF level (dB)"},
        {"UpDown1", "Шаг уровня RF", "RF level step"},
        {"Edit1", "Уровень RF в dB", "RF level in dB"},
        {"BitBtn2", "Подключить", "Connect"},
        {"SpeedButton3", "Записать установленные", "Write parameters"},
    };
    Windows w({});
    auto* grid = w.table->Grid();
    for (const bool english : {false, true}) {
      for (const Case& c : cases) {
        QCOMPARE(Announced(w.get<QWidget>(c.control), c.kind),
                 QString::fromUtf8(english ? c.english : c.russian));
      }
      QCOMPARE(Announced(w.get<UpDown>("UpDown1")->IncreaseButton()),
               english ? QStringLiteral("Raise RF level") : QStringLiteral("Уровень RF выше"));
      QCOMPARE(Announced(grid), english ? QStringLiteral("Parameter block") : QStringLiteral("Блок параметров"));
      QCOMPARE(CellDescription(grid, 9, 2), english ? QStringLiteral("Byte 19") : QStringLiteral("Байт 19"));
      QCOMPARE(CellDescription(grid, 0, 1), english ? QStringLiteral("Byte 0") : QStringLiteral("Байт 0"));
      w.button("SpeedButton5")->click();
    }
    // Names are added; the captions and hints stay the window's own.
    QCOMPARE(w.button("SpeedButton4")->toolTip(), QStringLiteral("Break auto connection"));
    QVERIFY(w.status().isEmpty());
  }

  void portEntriesDescribeTheirAdapter() {
#ifdef _WIN32
    QSKIP("the descriptions come from sysfs on Linux, from SetupAPI on Windows");
#else
    zelvane::testing::SysfsFixture tree;
    const std::string usb = "devices/pci0000:00/usb1/1-2";
    tree.UsbDevice(usb, "Maker One", "Adapter A", "SER123");
    tree.Tty("ttyUSB7", usb + "/1-2:1.0/ttyUSB7");
    QuickDevice device;
    tree.Folder("dev");
    tree.Link(device.PortPath(), "dev/ttyUSB7");
    qputenv(zelvane::kSysfsRootVariable, QByteArray::fromStdString(tree.SysRoot()));
    QuickDevice plain;
    Windows w({QString::fromStdString(tree.Path("dev/ttyUSB7")), Port(plain)});
    qunsetenv(zelvane::kSysfsRootVariable);
    auto* ports = w.get<QComboBox>("ComboBox1");
    // The entry's text stays the port's name.
    const int adapter = ports->findText(QString::fromStdString(tree.Path("dev/ttyUSB7")));
    const int other = ports->findText(Port(plain));
    QVERIFY(adapter >= 0 && other >= 0);
    const QString expected = QStringLiteral("Maker One Adapter A, serial SER123");
    QCOMPARE(ports->itemData(adapter, Qt::ToolTipRole).toString(), expected);
    QCOMPARE(ports->itemData(adapter, Qt::AccessibleDescriptionRole).toString(), expected);
    QVERIFY(ports->itemData(other, Qt::ToolTipRole).toString().isEmpty());
#endif
  }

  void valueLabelsAnnounceWhatTheyShow() {
    QuickDevice device;
    Windows w({Port(device)});
    w.Connect();
    QCOMPARE(Announced(w.label("StaticText1")), QStringLiteral("62,00"));
    QCOMPARE(Announced(w.label("Label5")), w.status());
    QVERIFY(w.status().endsWith("..OK!"));
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
