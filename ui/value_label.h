// A label that shows a value ("62,00", the status line): assistive
// technology announces its accessible name as what it is and its text as
// the value, where a plain label has only one of the two.
#pragma once

#include <QLabel>

class ValueLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ValueLabel(QWidget* parent = nullptr);
};
