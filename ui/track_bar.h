// A slider that also keeps and shows a selection range (SelStart, SelEnd).
#pragma once

#include <QSlider>

class TrackBar : public QSlider {
  Q_OBJECT

 public:
  explicit TrackBar(QWidget* parent = nullptr);

  int SelStart() const { return selStart_; }
  int SelEnd() const { return selEnd_; }
  void SetSelection(int start, int end);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int selStart_ = 0;
  int selEnd_ = 0;
};
