// A value label leaves its accessible name unset: Qt then announces the
// label's text as the name and reports each change of it.
#include "ui/value_label.h"

ValueLabel::ValueLabel(QWidget* parent) : QLabel(parent) {}

void ValueLabel::SetMeaning(const QString& meaning) {
  meaning_ = meaning;
  Describe();
}

void ValueLabel::SetExplanation(const QString& explanation) {
  explanation_ = explanation;
  Describe();
}

void ValueLabel::Describe() {
  setAccessibleDescription(explanation_.isEmpty() ? meaning_ : meaning_ + QLatin1Char('\n') + explanation_);
}
