// The simulator's thread: frames in from the master side, answers out.
#include "sim/simulator.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "link/crc16.h"
#include "link/exchange_status.h"
#include "link/frame.h"

namespace zelvane::sim {
namespace {

constexpr int kStaleInputMs = 1000;  // a partial frame older than this is dropped
constexpr std::uint8_t kPadByte = 0x55;

std::uint8_t ExpectedLength(std::uint8_t address, std::uint8_t command) {
  switch (command) {
    case kCmdModules:
      return address == kModuleListAddress ? kListModulesLength : kReadRevisionLength;
    case kCmdWriteParamBlock: return kWriteParamBlockLength;
    case kCmdReadParamBlock: return kReadParamBlockLength;
    case kCmdWriteCountryIndex: return kWriteCountryIndexLength;
    case kCmdReadCountryIndex: return kReadCountryIndexLength;
    case kCmdSetModulation: return kSetModulationLength;
    case kCmdReadModulation: return kReadModulationLength;
    default: return 0;
  }
}

bool IsValidRequest(const std::vector<std::uint8_t>& frame) {
  if (!std::equal(kFrameHeader.begin(), kFrameHeader.end(), frame.begin())) return false;
  if (frame[kStatusOffset] != 0) return false;
  const std::uint8_t length = frame[kBodyLengthOffset];
  if (length < 2 || length != ExpectedLength(frame[kBodyOffset], frame[kBodyOffset + 1])) {
    return false;
  }
  const std::size_t crcAt = kBodyOffset + length;
  const std::uint16_t crc = Crc16Modbus(frame.data(), crcAt);
  return frame[crcAt] == (crc & 0xFFU) && frame[crcAt + 1] == (crc >> 8);
}

}  // namespace

Simulator::Simulator(DeviceState state) : state_(std::move(state)) {
  if (pipe(wake_) != 0) throw std::runtime_error("pipe failed");
  thread_ = std::thread([this] { Run(); });
}

Simulator::~Simulator() {
  const char stop = 'x';
  (void)!write(wake_[1], &stop, 1);
  thread_.join();
  close(wake_[0]);
  close(wake_[1]);
}

void Simulator::Script(std::uint8_t command, std::vector<ReplyScript> replies) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto& queue = scripts_[command];
  queue.insert(queue.end(), replies.begin(), replies.end());
}

void Simulator::SetDefaultReply(const ReplyScript& reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  defaultReply_ = reply;
}

void Simulator::StoreDifferently(std::size_t index, std::uint8_t value) {
  std::lock_guard<std::mutex> lock(mutex_);
  storeDifferently_ = std::make_pair(index, value);
}

DeviceState Simulator::State() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return state_;
}

void Simulator::SetState(const DeviceState& state) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_ = state;
}

std::vector<Request> Simulator::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::vector<Request> Simulator::RequestsFor(std::uint8_t command) const {
  return OfCommand(Requests(), command);
}

void Simulator::ClearRequests() {
  std::lock_guard<std::mutex> lock(mutex_);
  requests_.clear();
}

bool Simulator::WaitForRequests(std::size_t count, int timeoutMs) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return recorded_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                            [&] { return requests_.size() >= count; });
}

bool Simulator::WaitForReplies(std::size_t count, int timeoutMs) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return recorded_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                            [&] { return repliesSent_ >= count; });
}

bool Simulator::SleepUnlessStopped(int ms) {
  pollfd wake{wake_[0], POLLIN, 0};
  return poll(&wake, 1, ms) == 0;
}

void Simulator::Run() {
  std::vector<std::uint8_t> input;
  std::uint8_t chunk[512];
  for (;;) {
    pollfd fds[2] = {{pty_.MasterFd(), POLLIN, 0}, {wake_[0], POLLIN, 0}};
    const int ready = poll(fds, 2, input.empty() ? -1 : kStaleInputMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || (fds[1].revents & POLLIN)) return;
    if (ready == 0) {
      // An incomplete frame that nothing followed: record it as invalid.
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back({Clock::now(), input, false, 0, 0});
      recorded_.notify_all();
      input.clear();
      continue;
    }
    const ssize_t n = read(pty_.MasterFd(), chunk, sizeof chunk);
    if (n > 0) {
      input.insert(input.end(), chunk, chunk + n);
      Consume(input);
    }
  }
}

void Simulator::Consume(std::vector<std::uint8_t>& input) {
  for (;;) {
    // Resynchronise on the magic's first byte.
    const auto start = std::find(input.begin(), input.end(), kFrameHeader[0]);
    input.erase(input.begin(), start);
    if (input.size() <= kBodyLengthOffset) return;
    const std::size_t size = kFrameOverhead + input[kBodyLengthOffset];
    if (input.size() < size) return;
    const std::vector<std::uint8_t> frame(input.begin(), input.begin() + size);
    input.erase(input.begin(), input.begin() + size);
    Handle(frame);
  }
}

ReplyScript Simulator::NextScript(std::uint8_t command) {
  auto found = scripts_.find(command);
  if (found == scripts_.end() || found->second.empty()) return defaultReply_;
  ReplyScript script = found->second.front();
  found->second.erase(found->second.begin());
  return script;
}

void Simulator::Handle(const std::vector<std::uint8_t>& frame) {
  Request request{Clock::now(), frame, IsValidRequest(frame), frame[kBodyOffset],
                  frame[kBodyOffset + 1]};
  std::vector<std::uint8_t> reply;
  ReplyScript script;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
    recorded_.notify_all();
    if (!request.valid) return;  // a device ignores a frame it cannot read
    script = NextScript(request.command);
    if (script.silent) return;
    if (script.hangUp) {
      pty_.HangUp();
      return;
    }
    const std::vector<std::uint8_t> body(frame.begin() + kBodyOffset,
                                         frame.end() - kCrcSize);
    std::uint8_t status = 0;
    std::optional<std::vector<std::uint8_t>> data = Answer(request, body, status);
    if (!data) return;
    if (script.data) data = script.data;
    std::vector<std::uint8_t> replyBody(body.begin(), body.begin() + std::min<std::size_t>(
                                                                       body.size(), kBodyDataOffset));
    replyBody.resize(kBodyDataOffset, 0);
    replyBody.insert(replyBody.end(), data->begin(), data->end());
    reply = BuildFrame(script.statusByte.value_or(status), replyBody);
  }
  Send(std::move(reply), script);
}

// The device's normal answer: the reply data, or nothing for an address
// that no module has.
std::optional<std::vector<std::uint8_t>> Simulator::Answer(const Request& request,
                                                           const std::vector<std::uint8_t>& body,
                                                           std::uint8_t& status) {
  if (request.address == kModuleListAddress && request.command == kCmdModules) {
    std::vector<std::uint8_t> pairs;
    for (const Module& module : state_.modules) {
      pairs.push_back(module.type);
      pairs.push_back(module.address);
    }
    return pairs;
  }
  const auto module = std::find_if(state_.modules.begin(), state_.modules.end(),
                                   [&](const Module& m) { return m.address == request.address; });
  if (module == state_.modules.end()) return std::nullopt;
  const bool rf = module->type == kRfType;
  const auto text = [](const std::string& s) {
    std::vector<std::uint8_t> bytes(s.begin(), s.end());
    bytes.push_back(0);
    return bytes;
  };
  switch (request.command) {
    case kCmdModules: return text(rf ? state_.revision : kOtherModuleRevision);
    case kCmdWriteParamBlock:
      if (!rf) break;
      // Block bytes 0 and 1 travel as arguments, the rest as data.
      std::copy(body.begin() + 3, body.begin() + 3 + kParamBlockSize, state_.block.begin());
      if (storeDifferently_) state_.block[storeDifferently_->first] = storeDifferently_->second;
      return std::vector<std::uint8_t>{};
    case kCmdReadParamBlock:
      if (!rf) break;
      return std::vector<std::uint8_t>(state_.block.begin(), state_.block.end());
    case kCmdWriteCountryIndex:
      if (!rf) break;
      state_.country = body[4];  // the third argument
      return std::vector<std::uint8_t>{};
    case kCmdReadCountryIndex:
      if (!rf) break;
      return std::vector<std::uint8_t>{state_.country};
    case kCmdSetModulation:
      if (!rf) break;
      state_.modulation = body[2];
      return std::vector<std::uint8_t>{};
    case kCmdReadModulation:
      if (!rf) break;
      return std::vector<std::uint8_t>{state_.modulation};
    default: break;
  }
  status = kStatusBadFormat;
  return std::vector<std::uint8_t>{};
}

void Simulator::Send(std::vector<std::uint8_t> reply, const ReplyScript& script) {
  if (script.badMagic) reply[0] ^= 0xFF;
  if (script.badCrc) reply.back() ^= 0xFF;
  if (script.length) reply.resize(std::min(*script.length, reply.size()));
  if (reply.size() < script.padTo) reply.resize(script.padTo, kPadByte);
  if (script.delayMs > 0 && !SleepUnlessStopped(script.delayMs)) return;
  std::size_t done = 0;
  while (done < reply.size()) {
    const ssize_t n = write(pty_.MasterFd(), reply.data() + done, reply.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
      return;
    } else {
      pollfd out{pty_.MasterFd(), POLLOUT, 0};
      poll(&out, 1, kStaleInputMs);
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  ++repliesSent_;
  recorded_.notify_all();
}

}  // namespace zelvane::sim
