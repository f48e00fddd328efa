// The ZELVANE_PORTS list as a user writes it: every path between colons,
// in order, none empty, none with a colon in it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "link/port_list.h"

namespace {

// The list with its empty names dropped: each run of colons made one, and
// none at either end.
std::string Tidied(const std::string& list) {
  std::string tidy;
  for (const char c : list) {
    if (c == zelvane::kPortListSeparator && (tidy.empty() || tidy.back() == c)) continue;
    tidy += c;
  }
  if (!tidy.empty() && tidy.back() == zelvane::kPortListSeparator) tidy.pop_back();
  return tidy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelvane;
  const std::string list(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> paths = SplitPortList(list);
  std::string joined;
  for (const std::string& path : paths) {
    FUZZ_CHECK(!path.empty());
    FUZZ_CHECK(path.find(kPortListSeparator) == std::string::npos);
    if (!joined.empty()) joined += kPortListSeparator;
    joined += path;
  }
  FUZZ_CHECK(joined == Tidied(list));
  return 0;
}
