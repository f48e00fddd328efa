#include "ui/write_verification.h"

#include <QAbstractButton>
#include <QStringList>

#include "session/verification_report.h"
#include "session/write_request.h"
#include "ui/connection_panel.h"
#include "ui/parameter_editor.h"
#include "ui/request_gate.h"
#include "ui/session_thread.h"
#include "ui/status_line.h"
#include "ui/status_texts.h"

namespace {

const QString kSetParametersText = QStringLiteral("Set parameters..");
const QString kVerifyText = QStringLiteral("Verify write data..");
const QString kVerifyErrorText = QStringLiteral("..ERROR!");

}  // namespace

WriteVerification::WriteVerification(QAbstractButton* writeButton, SessionThread& session,
                                     RequestGate& gate, StatusLine& status,
                                     ParameterEditor& editor, ConnectionPanel& connection,
                                     std::function<QString()> countryPrompt)
    : writeButton_(writeButton),
      session_(session),
      gate_(gate),
      status_(status),
      editor_(editor),
      connection_(connection),
      countryPrompt_(std::move(countryPrompt)) {
  connect(writeButton_, &QAbstractButton::clicked, this, [this] { SpeedButton3Click(); });
}

void WriteVerification::SetLocked(bool locked) {
  writeButton_->setEnabled(!locked);
  editor_.SetEditingEnabled(!locked);
  connection_.SetLocked(locked);
}

// The grid's block, the modulation chosen and the country selected, as
// they stand: the window's edits are in them already.
void WriteVerification::SpeedButton3Click() {
  if (gate_.Running() || !session_.PortOpen() || !editor_.HasTable()) return;
  SetLocked(true);
  editor_.ClearMarks();
  if (!editor_.TakeBlockFromGrid()) {
    SetLocked(false);
    return;
  }
  gate_.Start();
  const zelvane::DeviceSettings edited{editor_.SelectedCountry(), editor_.Block()};
  session_.Write(zelvane::ChangedSettings(edited, editor_.ChosenModulation(), {}));
}

void WriteVerification::WritingStarted() {
  status_.Show(kSetParametersText);
  status_.StartProgress();
}

void WriteVerification::WritingEnded(bool written) {
  status_.StopProgress();
  status_.Append(written ? kStatusOkText : kStatusErrorText);
}

void WriteVerification::VerificationStarted() {
  status_.Show(kVerifyText);
  editor_.ShowVerifying();
  status_.StartProgress();
}

void WriteVerification::ModulationReadBackStarted() { editor_.LockModulation(); }

void WriteVerification::VerificationReadsEnded() { status_.StopProgress(); }

void WriteVerification::ShowWritten(const zelvane::WriteRequest& written,
                                    const zelvane::WriteOutcome& outcome) {
  const zelvane::Verification& verification = outcome.verification;
  status_.Append(verification.Verified() ? kStatusOkText : kVerifyErrorText);
  editor_.ShowReadBack(verification, written.country, countryPrompt_());
  ShowVerificationReport(written, verification);
  SetLocked(false);
  gate_.End();
}

// After the read-back is shown, whose refill of the grid would clear the marks.
void WriteVerification::ShowVerificationReport(const zelvane::WriteRequest& written,
                                               const zelvane::Verification& verification) {
  if (verification.Verified()) return;
  const std::vector<std::string> report =
      zelvane::VerificationReport(written, verification, session_.DeviceRecognised());
  QStringList lines;
  for (const std::string& line : report) lines << QString::fromStdString(line);
  status_.Explain(lines.join(QLatin1Char('\n')));
  editor_.MarkDifferences(verification.differences);
}
