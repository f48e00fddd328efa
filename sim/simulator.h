// An emulation of the Zelvane device on a pseudo-terminal: it answers the
// whole command set, checks and records every request, and can be scripted
// to misbehave.
#pragma once

#include <chrono>
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
#include "device/param_block_bytes.h"
#include "sim/pseudo_terminal.h"

namespace zelvane::sim {

using Clock = std::chrono::steady_clock;

struct Module {
  std::uint8_t type;
  std::uint8_t address;
};

constexpr std::uint8_t kRfType = 32;
constexpr std::uint8_t kOtherType = 16;
constexpr char kDefaultRevision[] = "rev3_20102009";
constexpr char kOtherModuleRevision[] = "ctl1_01012008";

// The block a fresh device holds: 62 MHz at full level.
ParamBlock DefaultBlock();

struct DeviceState {
  std::vector<Module> modules = {{kOtherType, 1}, {kRfType, 2}};
  std::string revision = kDefaultRevision;
  ParamBlock block = DefaultBlock();
  std::uint8_t country = 0;
  std::uint8_t modulation = 0;
};

// How one reply departs from the device's normal answer.
struct ReplyScript {
  std::optional<std::uint8_t> statusByte;  // reply byte 7
  bool silent = false;
  // Send only the first bytes, as a line that drops out mid-reply does: the
  // length byte still states the whole body.
  std::optional<std::size_t> length;
  std::size_t padTo = 0;                   // append bytes up to this length
  int delayMs = 0;                         // answer this late
  bool badCrc = false;
  bool badMagic = false;
  std::optional<std::vector<std::uint8_t>> data;  // reply data (body offset 5 on)
  bool hangUp = false;  // the line goes away instead of answering
};

inline ReplyScript Silence() { ReplyScript r; r.silent = true; return r; }
inline ReplyScript WithStatusByte(std::uint8_t b) { ReplyScript r; r.statusByte = b; return r; }
inline ReplyScript Truncated(std::size_t n) { ReplyScript r; r.length = n; return r; }
inline ReplyScript PaddedTo(std::size_t n) { ReplyScript r; r.padTo = n; return r; }
inline ReplyScript Delayed(int ms) { ReplyScript r; r.delayMs = ms; return r; }
inline ReplyScript WithBadCrc() { ReplyScript r; r.badCrc = true; return r; }
inline ReplyScript WithBadMagic() { ReplyScript r; r.badMagic = true; return r; }
inline ReplyScript LineGoesAway() { ReplyScript r; r.hangUp = true; return r; }
inline ReplyScript WithData(std::vector<std::uint8_t> data) {
  ReplyScript r;
  r.data = std::move(data);
  return r;
}

struct Request {
  Clock::time_point at;
  std::vector<std::uint8_t> bytes;
  bool valid = false;
  std::uint8_t address = 0;
  std::uint8_t command = 0;
};

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
