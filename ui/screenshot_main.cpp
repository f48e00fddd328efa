// zelvane-screenshot OUTPUT.png [Q]: opens the settings window, connects
// automatically, opens the register table when the service switch is given,
// and saves the screen. Used by the demo on a virtual display.
#include <QAbstractButton>
#include <QGuiApplication>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "ui/application.h"
#include "ui/settings_window.h"
#include "ui/table_window.h"

namespace {
constexpr int kSettleMs = 500;
constexpr int kMargin = 8;
}  // namespace

int main(int argc, char** argv) {
  ZelvaneApplication app(argc, argv);
  QStringList arguments = app.arguments();
  if (arguments.size() < 2) {
    std::fprintf(stderr, "usage: zelvane-screenshot OUTPUT.png [Q]\n");
    return 2;
  }
  const QString output = arguments.takeAt(1);
  TSettings_Zelvane settings(arguments);
  TTableIF table;
  settings.AttachTableWindow(&table);
  settings.show();

  // Once connected, with the table open when it is offered.
  QObject::connect(&settings, &TSettings_Zelvane::RequestEnded, [&] {
    auto* tableButton = settings.findChild<QToolButton*>(QStringLiteral("SpeedButton2"));
    if (tableButton->isVisible()) tableButton->click();
    QTimer::singleShot(kSettleMs, [&] {
      const QRect area = settings.frameGeometry()
                             .united(table.isVisible() ? table.frameGeometry() : QRect())
                             .adjusted(-kMargin, -kMargin, kMargin, kMargin);
      const bool saved = QGuiApplication::primaryScreen()
                             ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                             .save(output);
      std::printf("%s\n", saved ? qPrintable(output) : "screenshot failed");
      app.exit(saved ? 0 : 1);
    });
  });
  QTimer::singleShot(kSettleMs, [&] {
    settings.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
  });
  return app.exec();
}
