// The exchange: purge, write, wait, read, judge.
#include "link/exchange.h"

#include <cstdio>

namespace zelvane {

std::string FormatTrace(const std::uint8_t* bytes, std::size_t count) {
  std::string text = kTracePrefix;
  char hex[4];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
    text += hex;
  }
  return text;
}

Link::Link(DebugSink sink) : sink_(std::move(sink)) {}

void Link::Debug(const std::string& text) const {
  if (sink_) sink_(text);
}

void Link::TraceFrame(const std::uint8_t* bytes, std::size_t count) {
  Debug(FormatTrace(bytes, count));
}

void Link::Resume() {
  std::lock_guard<std::mutex> lock(cancelMutex_);
  if (!cancelled_) interruption_.Clear();
}

void Link::Cancel() {
  std::lock_guard<std::mutex> lock(cancelMutex_);
  cancelled_ = true;
  interruption_.Raise();
}

ExchangeStatus Link::RunExchange(SerialPort& port, const Frame& request, int writeWaitMs,
                                 int replyWaitMs) {
  if (Interrupted()) return kStatusCancelled;
  // A reply that came too late for the previous exchange must not be taken
  // as the answer to this one, so both queues are purged.
  port.PurgeOutput();
  port.PurgeInput();
  // The write itself is bounded by the write wait, so a stalled line costs
  // one wait and a line that refuses the write costs none.
  if (!port.Write(request.data(), request.size(), writeWaitMs, &interruption_)) {
    port.AbortWrite();
    return Interrupted() ? kStatusCancelled : kStatusWriteTimeout;
  }
  if (!ReadReply(port)) return kStatusCancelled;
  switch (Event::WaitAny(receiveComplete_, receiveTimeOut_, replyWaitMs)) {
    case 0: return ReplyStatusField(reply_);
    case 1: return kStatusReadFailed;
    case Event::kWaitTimedOut: return kStatusNoReadEvent;
    default: return kStatusReadFailed;
  }
}

bool Link::ReadReply(SerialPort& port) {
  reply_.bytes.fill(0);
  reply_.received = 0;
  const int got = port.Read(reply_.bytes.data(), kMaxReplyRead, &interruption_);
  // A read broken off leaves no trace: nobody waits for its outcome.
  if (got == SerialPort::kReadInterrupted) return false;
  if (got < 0) {
    Debug(kReadErrorLine);
    receiveTimeOut_.Set();
    return true;
  }
  const auto count = static_cast<std::size_t>(got);
  reply_.received = count;
  if (count >= kMinReplyLength) {
    receiveComplete_.Set();
  } else {
    Debug(kShortReadLine);
    receiveTimeOut_.Set();
  }
  TraceFrame(reply_.bytes.data(), count);
  return true;
}

}  // namespace zelvane
