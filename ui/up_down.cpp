// Two arrow buttons side by side.
#include "ui/up_down.h"

#include <QHBoxLayout>
#include <QToolButton>

#include <algorithm>

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), decrease_(new QToolButton(this)), increase_(new QToolButton(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  decrease_->setArrowType(Qt::LeftArrow);
  increase_->setArrowType(Qt::RightArrow);
  for (QToolButton* button : {decrease_, increase_}) {
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(button);
  }
  connect(decrease_, &QToolButton::clicked, this, [this] { Step(-1); });
  connect(increase_, &QToolButton::clicked, this, [this] { Step(+1); });
}

void UpDown::SetPosition(int position) { position_ = std::clamp(position, minimum_, maximum_); }

void UpDown::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  SetPosition(position_);
}

void UpDown::Step(int delta) {
  SetPosition(position_ + delta);
  emit Clicked();
}
