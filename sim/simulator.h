// An emulation of the Zelvane device on a pseudo-terminal: it answers the
// whole command set, checks and records every request, and can be scripted
// to misbehave.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "device/command_codes.h"
#include "sim/device_state.h"
#include "sim/pseudo_terminal.h"

namespace zelvane::sim {

class Simulator {
 public:
  explicit Simulator(DeviceState state = {});
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  const std::string& PortPath() const { return pty_.SlavePath(); }

  // Replies to the next requests of `command` (253 + 1 for the module list
  // is command 1 as well), one script per request; normal answers after.
  void Script(std::uint8_t command, std::vector<ReplyScript> replies);
  // Applies to every request that has no script of its own.
  void SetDefaultReply(const ReplyScript& reply);
  // After every block write, byte `index` is stored as `value`.
  void StoreDifferently(std::size_t index, std::uint8_t value);
  // Holds the port user's output from now on, as a stalled line does.
  void SuspendOutput() { pty_.SuspendOutput(); }

  DeviceState State() const;
  void SetState(const DeviceState& state);
  std::vector<Request> Requests() const;
  std::vector<Request> RequestsFor(std::uint8_t command) const;
  void ClearRequests();
  // True once `count` requests have been recorded, false at the deadline.
  bool WaitForRequests(std::size_t count, int timeoutMs) const;
  // True once `count` replies have been written to the port in all.
  bool WaitForReplies(std::size_t count, int timeoutMs) const;

 private:
  void Run();
  void Consume(std::vector<std::uint8_t>& input);
  void Handle(const std::vector<std::uint8_t>& frame);
  std::optional<std::vector<std::uint8_t>> Answer(const Request& request,
                                                  const std::vector<std::uint8_t>& body,
                                                  std::uint8_t& status);
  ReplyScript NextScript(std::uint8_t command);
  void Send(std::vector<std::uint8_t> reply, const ReplyScript& script);
  bool SleepUnlessStopped(int ms);

  PseudoTerminal pty_;
  int wake_[2] = {-1, -1};
  mutable std::mutex mutex_;
  mutable std::condition_variable recorded_;
  DeviceState state_;
  std::map<std::uint8_t, std::vector<ReplyScript>> scripts_;
  ReplyScript defaultReply_;
  std::optional<std::pair<std::size_t, std::uint8_t>> storeDifferently_;
  std::vector<Request> requests_;
  std::size_t repliesSent_ = 0;
  std::thread thread_;
};

}  // namespace zelvane::sim
