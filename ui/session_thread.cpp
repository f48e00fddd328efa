#include "ui/session_thread.h"

#include <QMetaObject>

// The session's steps as signals; called on the session's thread.
class SessionThread::Steps : public zelvane::SessionObserver, public zelvane::ConnectSteps {
 public:
  explicit Steps(SessionThread& thread) : thread_(thread) {}

  void DiscoveryEnded(const zelvane::Identification& identification) override {
    emit thread_.DiscoveryEnded(identification);
  }
  void WritingStarted() override { emit thread_.WritingStarted(); }
  void WritingEnded(bool written) override { emit thread_.WritingEnded(written); }
  void VerificationStarted() override { emit thread_.VerificationStarted(); }
  void ModulationReadBackStarted() override { emit thread_.ModulationReadBackStarted(); }
  void ModulationReadBack(std::optional<std::uint8_t> modulation) override {
    emit thread_.ModulationReadBack(modulation);
  }
  void VerificationReadsEnded() override { emit thread_.VerificationReadsEnded(); }

 private:
  SessionThread& thread_;
};

SessionThread::SessionThread(QObject* parent)
    : QObject(parent),
      worker_(new QObject),
      steps_(std::make_unique<Steps>(*this)),
      session_(std::make_unique<zelvane::DeviceSession>(*steps_)) {
  worker_->moveToThread(&thread_);
  connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
  thread_.start();
}

SessionThread::~SessionThread() {
  session_->Shutdown();
  thread_.quit();
  thread_.wait();
}

template <typename Work>
void SessionThread::Post(Work work) {
  QMetaObject::invokeMethod(worker_, std::move(work), Qt::QueuedConnection);
}

// Before the result goes out, so that the window reads it afresh.
void SessionThread::NoteState() {
  portOpen_ = session_->PortOpen();
  deviceRecognised_ = session_->Discovery().DeviceRecognised;
}

void SessionThread::ChoosePort(const std::string& entry) {
  Post([this, entry] {
    const zelvane::PortChoiceResult result = session_->ChoosePort(entry);
    NoteState();
    emit PortChosen(result);
  });
}

void SessionThread::Connect(const zelvane::ConnectTarget& target) {
  Post([this, target] {
    const zelvane::ConnectResult result = zelvane::Connect(*session_, target, *steps_);
    NoteState();
    emit Connected(result);
  });
}

void SessionThread::RefreshPorts() {
  Post([this] {
    session_->ClosePort();
    NoteState();
    emit PortsListed(zelvane::ListPorts());
  });
}

void SessionThread::Write(const zelvane::WriteRequest& request) {
  Post([this, request] {
    const zelvane::WriteOutcome outcome = session_->Write(request);
    NoteState();
    emit Written(request, outcome);
  });
}

void SessionThread::RequestBreak() { session_->RequestBreak(); }

void SessionThread::Shutdown() { session_->Shutdown(); }
