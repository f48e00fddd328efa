// An error that escapes a handler is shown and the program goes on.
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "ui/application.h"

namespace {

class Throwing : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw std::runtime_error("handler failed");
    return QObject::event(event);
  }
};

}  // namespace

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void escapingErrorIsShownAndTheLoopGoesOn() {
    QString shown;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      QCOMPARE(box->icon(), QMessageBox::Critical);
      shown = box->text();
      box->accept();
    });
    Throwing target;
    QEvent event(QEvent::User);
    QCOMPARE(QCoreApplication::sendEvent(&target, &event), false);
    QCOMPARE(shown, QStringLiteral("handler failed"));

    bool later = false;
    QTimer::singleShot(0, [&] { later = true; });
    QTRY_VERIFY(later);
  }
};

int main(int argc, char** argv) {
  ZelvaneApplication app(argc, argv);
  ApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
