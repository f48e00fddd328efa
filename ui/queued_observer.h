// Hands a workflow's steps, reported on the workflow thread, to an
// observer on the window's thread, in their order.
#pragma once

#include <QObject>

#include "session/session_observer.h"

class QueuedObserver : public zelvane::SessionObserver {
 public:
  // `context` lives on the thread that `target` must be called on.
  QueuedObserver(QObject* context, zelvane::SessionObserver& target)
      : context_(context), target_(target) {}

  void TryingPort(const std::string& entry) override;
  void WritingStarted() override;
  void WritingEnded(bool written) override;
  void VerificationStarted() override;
  void ModulationReadBackStarted() override;
  void ModulationReadBack(std::optional<std::uint8_t> modulation) override;
  void VerificationReadsEnded() override;

 private:
  template <typename Call>
  void Post(Call call) {
    QMetaObject::invokeMethod(context_, std::move(call), Qt::QueuedConnection);
  }

  QObject* context_;
  zelvane::SessionObserver& target_;
};
