// The thread on which the session's workflows run, so that the window's
// event loop goes on while the line is busy: its timer ticks, its buttons
// answer, and a close takes effect at once.
#pragma once

#include <QObject>
#include <QThread>
#include <functional>

class WorkflowThread : public QObject {
  Q_OBJECT

 public:
  explicit WorkflowThread(QObject* parent = nullptr);
  ~WorkflowThread() override;

  // Runs `work` on the workflow thread and returns once it has ended; the
  // caller's event loop runs meanwhile. Should that loop be told to quit
  // (the program ends), the caller still returns only after `work`, which
  // a session shut down beforehand ends at once.
  void Run(const std::function<void()>& work);

 private:
  QThread thread_;
  // Lives on thread_: what work is handed to.
  QObject* worker_ = nullptr;
};
