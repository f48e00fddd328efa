// The lines in which a Windows test drives simulated devices that run on
// the Linux host (zelvane-sim-host): one request line, one answer line. The
// values travel as space-separated words; bytes as hex, "-" for none.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <vector>

#include "sim/device_state.h"

namespace zelvane::sim::protocol {

// Requests: the word, the device's number (but for kOpen), then the values.
constexpr char kOpen[] = "open";                  // DeviceState -> number, port name
constexpr char kClose[] = "close";
constexpr char kScript[] = "script";              // command, count, ReplyScript...
constexpr char kDefaultReply[] = "default-reply";  // ReplyScript
constexpr char kStoreDifferently[] = "store-differently";  // index, value
constexpr char kSuspendOutput[] = "suspend-output";
constexpr char kState[] = "state";                // -> DeviceState
constexpr char kSetState[] = "set-state";         // DeviceState
constexpr char kRequests[] = "requests";          // -> count, Request...
constexpr char kClearRequests[] = "clear-requests";
constexpr char kWaitForRequests[] = "wait-requests";  // count, ms -> 0 or 1
constexpr char kWaitForReplies[] = "wait-replies";    // count, ms -> 0 or 1

// Answers start with one of these; kFailed is followed by the reason.
constexpr char kDone[] = "ok";
constexpr char kFailed[] = "failed";

void Put(std::ostream& out, const std::vector<std::uint8_t>& bytes);
void Put(std::ostream& out, const DeviceState& state);
void Put(std::ostream& out, const ReplyScript& script);
void Put(std::ostream& out, const Request& request);

// Each sets the stream's fail bit on a malformed value.
std::istream& Get(std::istream& in, std::vector<std::uint8_t>& bytes);
std::istream& Get(std::istream& in, DeviceState& state);
std::istream& Get(std::istream& in, ReplyScript& script);
std::istream& Get(std::istream& in, Request& request);

}  // namespace zelvane::sim::protocol
