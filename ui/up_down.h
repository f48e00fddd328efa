// A horizontal pair of arrow buttons with a position and a range of its
// own, tied to no other control.
#pragma once

#include <QWidget>

class QToolButton;

class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent = nullptr);

  int Position() const { return position_; }
  void SetPosition(int position);
  void SetRange(int minimum, int maximum);

  QToolButton* DecreaseButton() const { return decrease_; }
  QToolButton* IncreaseButton() const { return increase_; }

 signals:
  // Raised by each click on an arrow, after the position has moved (it does
  // not move past the ends: no wrap-around).
  void Clicked();

 private:
  void Step(int delta);

  QToolButton* decrease_;
  QToolButton* increase_;
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
};
