// A settings file as it travels between technicians, through the load
// path to the request that would be written: a file gives a request or an
// error, never both. And any record the program could save loads back as
// it was saved: a device's revision text that is not UTF-8 comes back as
// the file holds it, with replacement characters, and stays so.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "cli/settings_file.h"
#include "cli/json.h"
#include "device/modulation.h"
#include "fuzz_check.h"

namespace {

using namespace zelvane;
using namespace zelvane::cli;

constexpr std::size_t kMaxTextLength = 64;

// The one file the run writes and reads, removed when it ends.
class TemporaryFile {
 public:
  TemporaryFile() {
    char pattern[] = "/tmp/zelvane-fuzz-settings.XXXXXX";
    const int fd = mkstemp(pattern);
    FUZZ_CHECK(fd >= 0);
    close(fd);
    path_ = pattern;
  }
  ~TemporaryFile() { unlink(path_.c_str()); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

const std::string& FilePath() {
  static const TemporaryFile file;
  return file.Path();
}

bool IsUtf8(const std::string& text) {
  try {
    json::Value(text).dump();
    return true;
  } catch (const json::Value::type_error&) {
    return false;
  }
}

SettingsRecord SavedAndLoaded(const SettingsRecord& record) {
  FUZZ_CHECK(WriteSettingsFile(FilePath(), record));
  const SettingsFileRead read = ReadSettingsFile(FilePath());
  FUZZ_CHECK(read.record.has_value());
  FUZZ_CHECK(read.error.empty());
  return *read.record;
}

// A text comes back as it was, or as the file holds it when it is no UTF-8.
bool TextKept(const std::string& saved, const std::string& loaded, const std::string& again) {
  return IsUtf8(saved) ? loaded == saved : IsUtf8(loaded) && again == loaded;
}

// Save, then load: the same record, and a second time the same again.
void CheckRoundTrip(const SettingsRecord& record) {
  const SettingsRecord loaded = SavedAndLoaded(record);
  FUZZ_CHECK(loaded.block == record.block);
  FUZZ_CHECK(loaded.modulation == record.modulation);
  FUZZ_CHECK(loaded.country == record.country);
  const SettingsRecord again = SavedAndLoaded(loaded);
  FUZZ_CHECK(TextKept(record.revision, loaded.revision, again.revision));
  FUZZ_CHECK(TextKept(record.saved, loaded.saved, again.saved));
}

void CheckLoad(const std::uint8_t* data, std::size_t size) {
  std::ofstream(FilePath(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const SettingsFileRead read = ReadSettingsFile(FilePath());
  FUZZ_CHECK(read.record.has_value() != !read.error.empty());
  if (!read.record) return;
  const SettingsRecord record = *read.record;
  FUZZ_CHECK(!record.modulation || QamOrder(*record.modulation));
  const WriteRequest request = RequestOf(record, record.modulation.value_or(kModulationQam32));
  FUZZ_CHECK(request.block == record.block && request.country == record.country);
  CheckRoundTrip(record);
}

// The same bytes taken as a record that a save could write.
SettingsRecord RecordOf(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  SettingsRecord record;
  for (std::uint8_t& byte : record.block) byte = input.ConsumeIntegral<std::uint8_t>();
  const std::uint8_t modulation = input.ConsumeIntegralInRange<std::uint8_t>(0, 2);
  if (modulation < 2) record.modulation = modulation;
  record.country = input.ConsumeIntegral<std::uint8_t>();
  record.revision = input.ConsumeRandomLengthString(kMaxTextLength);
  record.saved = input.ConsumeRemainingBytesAsString();
  return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckLoad(data, size);
  CheckRoundTrip(RecordOf(data, size));
  return 0;
}
