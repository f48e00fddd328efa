// Standard error shared by the threads of many devices: each line goes out
// whole, with the port it is about in front.
#pragma once

#include <mutex>
#include <ostream>
#include <string>

namespace zelvane::cli {

class LineWriter {
 public:
  explicit LineWriter(std::ostream& out) : out_(out) {}

  // Every line of `text`, each after `prefix`, flushed at once.
  void Write(const std::string& prefix, const std::string& text);

 private:
  std::mutex mutex_;
  std::ostream& out_;
};

}  // namespace zelvane::cli
