// The connection group: automatic search or a port of the list, the port
// box with its refresh button, Connect with its break button, and the
// parameter panel that a connection shows.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "session/connect_workflow.h"
#include "session/port_list.h"

namespace Ui {
class TSettings_Zelvane;
}

class ParameterEditor;
class QWidget;
class RequestGate;
class SessionThread;
class StatusLine;

class ConnectionPanel : public QObject {
  Q_OBJECT

 public:
  using ErrorBox = std::function<void(const QString& text, const QString& title)>;

  // `window` holds the form's controls; the port list is made now, while
  // nothing holds a port.
  ConnectionPanel(Ui::TSettings_Zelvane& ui, QWidget* window, SessionThread& session,
                  RequestGate& gate, StatusLine& status, ParameterEditor& editor,
                  ErrorBox errorBox);

  // While a workflow runs, nothing may start a second one or change the
  // port under it; the break button stays live.
  void SetLocked(bool locked);

  // The session's answers.
  void ShowPortChoice(const zelvane::PortChoiceResult& result);
  void ShowRefreshedPorts(const std::vector<zelvane::ListedPort>& ports);
  void EndDiscovery(const zelvane::Identification& identification);
  void ShowConnection(const zelvane::ConnectResult& result);

 private:
  void ConnectControls();
  void ShowPorts(const std::vector<zelvane::ListedPort>& ports);
  void ShowError(const QString& text, const QString& title) const;
  // The entries of the port list, each as the bytes of its port's name.
  std::string PortEntry(int index) const;
  std::vector<std::string> PortEntries() const;

  void RadioButton1Click();
  void RadioButton2Click();
  void ComboBox1Click();
  void SpeedButton1Click();
  void BitBtn2Click();
  void SpeedButton4Click();

  Ui::TSettings_Zelvane& ui_;
  QWidget* window_;
  SessionThread& session_;
  RequestGate& gate_;
  StatusLine& status_;
  ParameterEditor& editor_;
  ErrorBox errorBox_;
  // The controls locked while a workflow runs, with their states.
  std::vector<std::pair<QWidget*, bool>> lockedWhileBusy_;
};
