// What a simulated device holds, how a reply may be scripted to depart
// from the normal answer, and the record of one request: shared by the
// simulator and by whatever drives one from another process.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/param_block_bytes.h"

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

// The requests of one command, in their order.
std::vector<Request> OfCommand(std::vector<Request> requests, std::uint8_t command);

}  // namespace zelvane::sim
