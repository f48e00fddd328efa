// The thread that owns the device session. The window posts its requests
// here and returns at once; each request's steps and its result come back
// as queued signals, by value, on the window's thread, so that the
// window's event loop never waits on the line.
#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "session/connect_workflow.h"
#include "session/device_session.h"
#include "session/port_list.h"

class SessionThread : public QObject {
  Q_OBJECT

 public:
  explicit SessionThread(QObject* parent = nullptr);
  // Shuts the session down and waits for its thread, which a shut-down
  // session leaves at once.
  ~SessionThread() override;

  // Requests, taken up one after another; each answers with its signal.
  void ChoosePort(const std::string& entry);
  void Connect(const zelvane::ConnectTarget& target);
  // Closes the port and lists the ports again.
  void RefreshPorts();
  void Write(const zelvane::WriteRequest& request);

  // These take effect at once, whatever runs (see DeviceSession).
  void RequestBreak();
  void Shutdown();

  // As the last request that ended left them.
  bool PortOpen() const { return portOpen_; }
  bool DeviceRecognised() const { return deviceRecognised_; }

 signals:
  void PortChosen(zelvane::PortChoiceResult result);
  // The connect's discovery has ended; its settings are read next.
  void DiscoveryEnded(zelvane::Identification identification);
  void Connected(zelvane::ConnectResult result);
  void PortsListed(std::vector<zelvane::ListedPort> ports);
  void WritingStarted();
  void WritingEnded(bool written);
  void VerificationStarted();
  void ModulationReadBackStarted();
  void ModulationReadBack(std::optional<std::uint8_t> modulation);
  void VerificationReadsEnded();
  void Written(zelvane::WriteRequest request, zelvane::WriteOutcome outcome);

 private:
  class Steps;

  // Runs `work` on the session's thread.
  template <typename Work>
  void Post(Work work);
  void NoteState();

  QThread thread_;
  // Lives on thread_: what the requests are handed to.
  QObject* worker_ = nullptr;
  std::unique_ptr<Steps> steps_;
  std::unique_ptr<zelvane::DeviceSession> session_;
  std::atomic<bool> portOpen_{false};
  std::atomic<bool> deviceRecognised_{false};
};
