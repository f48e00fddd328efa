#include "ui/label_cell_delegate.h"

#include <QApplication>
#include <QPainter>

namespace {
constexpr int kTextInset = 2;
}  // namespace

void LabelCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const QString text = cell.text;
  cell.text.clear();
  const QStyle* style = cell.widget != nullptr ? cell.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
  painter->save();
  painter->setFont(cell.font);
  painter->setPen(cell.palette.color(QPalette::Text));
  painter->drawText(cell.rect.adjusted(kTextInset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
  painter->restore();
}

int LabelCellDelegate::Width(const QFontMetrics& metrics, const QString& text) {
  return kTextInset + metrics.horizontalAdvance(text);
}
