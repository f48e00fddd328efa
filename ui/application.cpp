// Errors escaping handlers become error boxes.
#include "ui/application.h"

#include <QMessageBox>
#include <exception>

ZelvaneApplication::ZelvaneApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ZelvaneApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    QMessageBox::critical(activeWindow(), applicationName(), QString::fromLocal8Bit(error.what()));
  } catch (...) {
    QMessageBox::critical(activeWindow(), applicationName(), QStringLiteral("Unknown error"));
  }
  return false;
}
