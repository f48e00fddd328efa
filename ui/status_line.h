// The status line: what a workflow is doing and how it ended, the progress
// dots that come every 200 ms while a phase runs, and what explains an
// outcome.
#pragma once

#include <QString>
#include <QTimer>

class ValueLabel;

class StatusLine {
 public:
  explicit StatusLine(ValueLabel* label);

  // A new text starts without the explanation of an earlier one.
  void Show(const QString& text);
  void Append(const QString& text);
  // The line keeps its text; its hint and its accessible description say
  // what lies behind it.
  void Explain(const QString& explanation);
  void StartProgress();
  void StopProgress();

 private:
  ValueLabel* label_;
  QTimer timer1_;
};
