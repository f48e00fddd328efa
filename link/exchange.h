// One request/response exchange on the open port: write the request, read
// the reply into the reply buffer, and turn the outcome into a status.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "link/debug_output.h"
#include "link/event.h"
#include "link/exchange_status.h"
#include "link/frame.h"
#include "link/interruption.h"
#include "link/reply.h"
#include "link/serial_port.h"

namespace zelvane {

// Debugger lines of the read.
constexpr char kTracePrefix[] = "Receive data :";
constexpr char kShortReadLine[] = "Timeout i/o,incorrect data len";
constexpr char kReadErrorLine[] = "Criticall i/o error";

// "Receive data :" and each byte as a blank and two upper-case hex digits.
std::string FormatTrace(const std::uint8_t* bytes, std::size_t count);

// The link state of one session: the read's completion events, the reply
// buffer, which keeps the last reply until the next read, and the
// interruption that another thread raises to break off the link's waits.
class Link {
 public:
  explicit Link(DebugSink sink = DefaultDebugSink());

  // The three calls below are safe from any thread.
  // Breaks off the exchange or pause in progress; every later one fails at
  // once with kStatusCancelled, sending nothing, until Resume.
  void Interrupt() { interruption_.Raise(); }
  // Takes back an Interrupt; a Cancel stays.
  void Resume();
  // Interrupts for good: how a front end that closes stops a workflow at
  // once.
  void Cancel();

  ExchangeStatus RunExchange(SerialPort& port, const Frame& request, int writeWaitMs,
                             int replyWaitMs);
  // The read step alone: reports only through the events and the trace;
  // false when it was broken off, which sets neither event.
  bool ReadReply(SerialPort& port);
  void TraceFrame(const std::uint8_t* bytes, std::size_t count);
  // Waits `ms` between exchanges; false at once when interrupted.
  bool Pause(int ms) const { return interruption_.Sleep(ms); }
  bool Interrupted() const { return interruption_.Raised(); }

  const ReceivedReply& Reply() const { return reply_; }

 private:
  void Debug(const std::string& text) const;

  DebugSink sink_;
  Event receiveComplete_;
  Event receiveTimeOut_;
  ReceivedReply reply_;
  Interruption interruption_;
  // Keeps a Resume from taking back a Cancel that comes at the same time.
  std::mutex cancelMutex_;
  bool cancelled_ = false;
};

}  // namespace zelvane
