#include "ui/workflow_thread.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <future>

WorkflowThread::WorkflowThread(QObject* parent) : QObject(parent), worker_(new QObject) {
  worker_->moveToThread(&thread_);
  connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
  thread_.start();
}

WorkflowThread::~WorkflowThread() {
  thread_.quit();
  thread_.wait();
}

void WorkflowThread::Run(const std::function<void()>& work) {
  QEventLoop loop;
  std::promise<void> ended;
  std::future<void> done = ended.get_future();
  QPointer<QEventLoop> waiting(&loop);
  QMetaObject::invokeMethod(worker_, [&work, &ended, waiting, this] {
    work();
    ended.set_value();
    QMetaObject::invokeMethod(this, [waiting] {
      if (waiting) waiting->quit();
    }, Qt::QueuedConnection);
  }, Qt::QueuedConnection);
  loop.exec();
  done.wait();
}
