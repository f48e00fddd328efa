#include "ui/status_line.h"

#include "ui/value_label.h"

namespace {

constexpr int kTimerIntervalMs = 200;
const QString kProgressText = QStringLiteral("..");

}  // namespace

StatusLine::StatusLine(ValueLabel* label) : label_(label) {
  timer1_.setInterval(kTimerIntervalMs);
  QObject::connect(&timer1_, &QTimer::timeout, [this] { Append(kProgressText); });
}

void StatusLine::Show(const QString& text) {
  label_->setText(text);
  Explain(QString());
}

void StatusLine::Append(const QString& text) { label_->setText(label_->text() + text); }

void StatusLine::Explain(const QString& explanation) {
  label_->setToolTip(explanation);
  label_->SetExplanation(explanation);
}

void StatusLine::StartProgress() { timer1_.start(); }

void StatusLine::StopProgress() { timer1_.stop(); }
