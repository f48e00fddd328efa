// One request to the session at a time: a handler starts one before it
// posts, and the handler of its result ends it once the result is shown.
// While one runs, the others refuse.
#pragma once

#include <QObject>

class RequestGate : public QObject {
  Q_OBJECT

 public:
  // False, starting nothing, while a request runs.
  bool Start() {
    if (running_) return false;
    running_ = true;
    return true;
  }
  void End() {
    running_ = false;
    emit Ended();
  }
  bool Running() const { return running_; }

 signals:
  void Ended();

 private:
  bool running_ = false;
};
