// Draws the register table's label cells ("Bt 18,19") as the grid of the
// design does: the text two pixels in from the left, never elided. The
// style's item margins would leave too little room for the longer labels
// in the wider Windows fonts.
#pragma once

#include <QStyledItemDelegate>

class LabelCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  // The width the longest label needs, with the inset.
  static int Width(const QFontMetrics& metrics, const QString& text);
};
