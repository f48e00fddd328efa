// One lock around the whole text, so that two devices' lines never mix
// inside a line.
#include "cli/line_writer.h"

namespace zelvane::cli {

void LineWriter::Write(const std::string& prefix, const std::string& text) {
  std::string lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::size_t stop = end == std::string::npos ? text.size() : end;
    if (stop > start || end != std::string::npos) lines += prefix + text.substr(start, stop - start) + "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  const std::lock_guard<std::mutex> lock(mutex_);
  out_ << lines;
  out_.flush();
}

}  // namespace zelvane::cli
