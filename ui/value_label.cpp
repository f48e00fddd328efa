// The accessible interface of a value label, handed out by a factory that
// Qt asks for the label's own class before it asks for QLabel's.
#include "ui/value_label.h"

#include <QAccessibleWidget>

namespace {

class ValueLabelAccessible : public QAccessibleWidget {
 public:
  explicit ValueLabelAccessible(ValueLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) return static_cast<const QLabel*>(widget())->text();
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* ValueLabelFactory(const QString& className, QObject* object) {
  if (className != QLatin1String(ValueLabel::staticMetaObject.className())) return nullptr;
  return new ValueLabelAccessible(static_cast<ValueLabel*>(object));
}

}  // namespace

ValueLabel::ValueLabel(QWidget* parent) : QLabel(parent) {
  // Qt keeps its factories for the whole process; one is enough.
  static const bool installed = [] {
    QAccessible::installFactory(ValueLabelFactory);
    return true;
  }();
  (void)installed;
}
