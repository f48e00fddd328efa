// The application object: an error that escapes a handler is shown in an
// error box and the message loop goes on.
#pragma once

#include <QApplication>

class ZelvaneApplication : public QApplication {
 public:
  ZelvaneApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};
