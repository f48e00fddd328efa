// The selection is painted as a bar above the groove, from SelStart to SelEnd.
#include "ui/track_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace {
constexpr int kSelectionBarHeight = 3;
constexpr int kMinimumSelectionWidth = 4;
}  // namespace

TrackBar::TrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void TrackBar::SetSelection(int start, int end) {
  selStart_ = start;
  selEnd_ = end;
  update();
}

void TrackBar::paintEvent(QPaintEvent* event) {
  QSlider::paintEvent(event);
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  const int span = groove.width() - handle.width();
  const auto x = [&](int value) {
    return groove.left() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
  };
  const int left = x(selStart_) - kMinimumSelectionWidth / 2;
  const int width = std::max(x(selEnd_) - x(selStart_), 0) + kMinimumSelectionWidth;
  QPainter p(this);
  p.fillRect(QRect(left, groove.top() - kSelectionBarHeight - 1, width, kSelectionBarHeight),
             palette().color(QPalette::Highlight));
}
