// The write button: the grid's block, the modulation and the country go
// to the device, which is then read back. The status line follows the
// phases; a verification that fails is explained and its cells marked.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "session/device_session.h"

class ConnectionPanel;
class ParameterEditor;
class QAbstractButton;
class RequestGate;
class SessionThread;
class StatusLine;

class WriteVerification : public QObject {
  Q_OBJECT

 public:
  // `countryPrompt` gives the country box's prompt in the language of the
  // moment.
  WriteVerification(QAbstractButton* writeButton, SessionThread& session, RequestGate& gate,
                    StatusLine& status, ParameterEditor& editor, ConnectionPanel& connection,
                    std::function<QString()> countryPrompt);

  // The session's steps of a write, and its result.
  void WritingStarted();
  void WritingEnded(bool written);
  void VerificationStarted();
  void ModulationReadBackStarted();
  void VerificationReadsEnded();
  void ShowWritten(const zelvane::WriteRequest& written, const zelvane::WriteOutcome& outcome);

 private:
  void SpeedButton3Click();
  void SetLocked(bool locked);
  void ShowVerificationReport(const zelvane::WriteRequest& written,
                              const zelvane::Verification& verification);

  QAbstractButton* writeButton_;
  SessionThread& session_;
  RequestGate& gate_;
  StatusLine& status_;
  ParameterEditor& editor_;
  ConnectionPanel& connection_;
  std::function<QString()> countryPrompt_;
};
