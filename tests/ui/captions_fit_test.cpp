// The captions of both windows, in both languages, have the room to show
// whole in the fonts Windows offers: the design's "MS Sans Serif" (or the
// Microsoft Sans Serif that stands for it), Tahoma and Segoe UI. A family
// this machine lacks is skipped rather than measured in a stand-in of other
// widths; the Wine driver runs this with Wine's own MS Sans Serif and Tahoma,
// and again at 125 % scaling. Measured: the labels, the group box titles,
// the push buttons' texts, the prompts of the boxes and the grid's labels.
#include <QFontDatabase>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableWidget>

#include "ui/label_cell_delegate.h"
#include "window_fixture.h"

using zelvane::testing::Windows;

namespace {

// The space a style keeps around a push button's text, each side.
int ButtonMargin(const QWidget* button) {
  return button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
}

// Gives every widget the family, keeping its size and weight.
void UseFamily(QWidget* window, const QString& family) {
  if (family.isEmpty()) return;
  const QList<QWidget*> widgets = window->findChildren<QWidget*>();
  for (QWidget* widget : widgets) {
    QFont font = widget->font();
    font.setFamilies({family});
    widget->setFont(font);
  }
}

QStringList CutCaptions(const QWidget* window) {
  QStringList cut;
  const auto report = [&cut](const QWidget* widget, const QString& text, int needs, int has) {
    if (needs > has) cut << QStringLiteral("%1 \"%2\": needs %3, has %4").arg(widget->objectName(), text).arg(needs).arg(has);
  };
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    if (label->isVisibleTo(window) && !label->text().isEmpty() && !label->wordWrap()) {
      report(label, label->text(), label->sizeHint().width(), label->width());
    }
  }
  for (const QPushButton* button : window->findChildren<QPushButton*>()) {
    if (!button->isVisibleTo(window) || button->text().isEmpty()) continue;
    // Not the size hint: that holds the style's minimum button width.
    report(button, button->text(),
           button->fontMetrics().horizontalAdvance(button->text()) + 2 * ButtonMargin(button), button->width());
  }
  for (const QGroupBox* box : window->findChildren<QGroupBox*>()) {
    if (box->isVisibleTo(window) && !box->title().isEmpty()) {
      report(box, box->title(), box->fontMetrics().horizontalAdvance(box->title()), box->width());
    }
  }
  for (const QComboBox* combo : window->findChildren<QComboBox*>()) {
    const QString prompt = combo->lineEdit() ? combo->lineEdit()->placeholderText() : combo->placeholderText();
    if (!combo->isVisibleTo(window) || prompt.isEmpty()) continue;
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect field =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    report(combo, prompt, combo->fontMetrics().horizontalAdvance(prompt), field.width());
  }
  for (const QTableWidget* grid : window->findChildren<QTableWidget*>()) {
    for (int row = 0; row < grid->rowCount(); ++row) {
      const QString text = grid->item(row, 0)->text();
      report(grid, text, LabelCellDelegate::Width(grid->fontMetrics(), text), grid->columnWidth(0));
    }
  }
  return cut;
}

}  // namespace

class CaptionsFitTest : public QObject {
  Q_OBJECT

 private slots:
  void captionsAreWhole_data() {
    QTest::addColumn<QString>("family");
    QTest::newRow("MS Sans Serif, as designed") << QString();
    QTest::newRow("Microsoft Sans Serif") << QStringLiteral("Microsoft Sans Serif");
    QTest::newRow("Tahoma") << QStringLiteral("Tahoma");
    QTest::newRow("Segoe UI") << QStringLiteral("Segoe UI");
  }
  void captionsAreWhole() {
    QFETCH(QString, family);
    if (!family.isEmpty() && !QFontDatabase::hasFamily(family)) QSKIP("no such font here");
    Windows w({}, {"zelvane-settings", "Q"});
    w.table->show();
    w.get<QWidget>("Panel1")->show();  // shown once connected
    for (QWidget* window : {static_cast<QWidget*>(w.settings.get()), static_cast<QWidget*>(w.table.get())}) {
      UseFamily(window, family);
    }
    // Each switch sets the captions anew, sized in the family now in use.
    for (int language = 0; language < 2; ++language) {
      w.button("SpeedButton5")->click();
      QCoreApplication::processEvents();  // the layouts take up the fonts and texts
      QStringList cut = CutCaptions(w.settings.get()) + CutCaptions(w.table.get());
      QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("in %1:\n").arg(QFontInfo(w.label("Label1")->font()).family()) + cut.join('\n')));
    }
  }
};

QTEST_MAIN(CaptionsFitTest)
#include "captions_fit_test.moc"
