// One request/response exchange on the open port: write the request, read
// the reply into the reply buffer, and turn the outcome into a status.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "link/debug_output.h"
#include "link/event.h"
#include "link/exchange_status.h"
#include "link/frame.h"
#include "link/reply.h"
#include "link/serial_port.h"

namespace zelvane {

// Lets the window handle its pending messages while the link works.
using MessagePump = std::function<void()>;

// Debugger lines of the read.
constexpr char kTracePrefix[] = "Receive data :";
constexpr char kShortReadLine[] = "Timeout i/o,incorrect data len";
constexpr char kReadErrorLine[] = "Criticall i/o error";

// "Receive data :" and each byte as a blank and two upper-case hex digits.
std::string FormatTrace(const std::uint8_t* bytes, std::size_t count);

// The link state that exists once per program: the read's completion events
// and the reply buffer, which keeps the last reply until the next read.
class Link {
 public:
  explicit Link(DebugSink sink = DefaultDebugSink());

  void SetMessagePump(MessagePump pump) { pump_ = std::move(pump); }
  // From now on every exchange fails at once with kStatusCancelled, before
  // it touches the port: how a front end that closes stops a workflow
  // before its next request.
  void Cancel() { cancelled_ = true; }

  ExchangeStatus RunExchange(SerialPort& port, const Frame& request, int writeWaitMs,
                             int replyWaitMs);
  // The read step alone: reports only through the events and the trace.
  void ReadReply(SerialPort& port);
  // Lets pending messages through once, then writes the trace.
  void TraceFrame(const std::uint8_t* bytes, std::size_t count);

  const ReceivedReply& Reply() const { return reply_; }

 private:
  void Debug(const std::string& text) const;

  DebugSink sink_;
  MessagePump pump_;
  Event receiveComplete_;
  Event receiveTimeOut_;
  ReceivedReply reply_;
  std::atomic<bool> cancelled_{false};
};

}  // namespace zelvane
