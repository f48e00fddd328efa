// A label that shows a value ("62,00", the status line). Assistive
// technology announces its text as its name, with a notice each time the
// text changes, and what the value is, with whatever explains the value,
// as its description.
#pragma once

#include <QLabel>
#include <QString>

class ValueLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ValueLabel(QWidget* parent = nullptr);

  // What the value is ("Установленная RF (MHz)"), in the language of the
  // moment.
  void SetMeaning(const QString& meaning);
  // What lies behind the value shown now; empty for nothing.
  void SetExplanation(const QString& explanation);

 private:
  void Describe();

  QString meaning_;
  QString explanation_;
};
