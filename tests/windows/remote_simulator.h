// A simulated device for a Windows test under Wine: the same interface as
// the Linux simulator, the device itself running in zelvane-sim-host on a
// COM port that the Wine prefix maps to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/device_state.h"

namespace zelvane::sim {

class RemoteSimulator {
 public:
  explicit RemoteSimulator(const DeviceState& state = {});
  ~RemoteSimulator();
  RemoteSimulator(const RemoteSimulator&) = delete;
  RemoteSimulator& operator=(const RemoteSimulator&) = delete;

  const std::string& PortPath() const { return port_; }

  void Script(std::uint8_t command, const std::vector<ReplyScript>& replies);
  void SetDefaultReply(const ReplyScript& reply);
  void StoreDifferently(std::size_t index, std::uint8_t value);
  void SuspendOutput();

  DeviceState State() const;
  void SetState(const DeviceState& state);
  // The request times are the host's: comparable with one another only.
  std::vector<Request> Requests() const;
  std::vector<Request> RequestsFor(std::uint8_t command) const;
  void ClearRequests();
  bool WaitForRequests(std::size_t count, int timeoutMs) const;
  bool WaitForReplies(std::size_t count, int timeoutMs) const;

 private:
  bool Wait(const char* word, std::size_t count, int timeoutMs) const;

  int number_ = -1;
  std::string port_;
};

}  // namespace zelvane::sim
