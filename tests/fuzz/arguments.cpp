// The words of a command line, as a shell hands them over (no word holds a
// zero byte, so the input is split at zero bytes): an invocation or an
// error, never both; the values of one are read into changes or an error,
// and every change lies in its range.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/values.h"
#include "fuzz_check.h"
#include "params/channel_plan.h"
#include "params/level_table.h"

namespace {

using namespace zelvane;
using namespace zelvane::cli;

std::vector<std::string> WordsOf(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words;
  std::string word;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      words.push_back(word);
      word.clear();
    } else {
      word += static_cast<char>(data[i]);
    }
  }
  if (size > 0) words.push_back(word);
  return words;
}

// A value that an invocation carries was typed as a word, or after '='.
bool Typed(const std::vector<std::string>& words, const std::optional<std::string>& value) {
  if (!value) return true;
  return std::any_of(words.begin(), words.end(), [&](const std::string& word) {
    return word == *value ||
           (word.size() > value->size() && word.compare(word.size() - value->size(),
                                                        value->size(), *value) == 0 &&
            word[word.size() - value->size() - 1] == '=');
  });
}

void CheckChanges(const Invocation& invocation) {
  const Parsed<SettingsChange> parsed = ParseChanges(invocation);
  FUZZ_CHECK(parsed.value.has_value() != !parsed.error.empty());
  if (!parsed.value) return;
  const SettingsChange& changes = *parsed.value;
  FUZZ_CHECK(changes.channelRow.has_value() == invocation.channel.has_value());
  FUZZ_CHECK(changes.levelPosition.has_value() == invocation.level.has_value());
  FUZZ_CHECK(changes.modulation.has_value() == invocation.qam.has_value());
  FUZZ_CHECK(changes.country.has_value() == invocation.country.has_value());
  FUZZ_CHECK(!changes.channelRow || *changes.channelRow < kChannelCount);
  FUZZ_CHECK(!changes.levelPosition || *changes.levelPosition < kLevelCount);
  FUZZ_CHECK(!changes.modulation || *changes.modulation <= 1);
  FUZZ_CHECK(!changes.country || *changes.country < CountryNames.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> words = WordsOf(data, size);
  const ParsedArguments parsed = ParseArguments(words);
  FUZZ_CHECK(parsed.invocation.has_value() != !parsed.error.empty());
  if (!parsed.invocation) return 0;
  const Invocation& invocation = *parsed.invocation;
  if (invocation.command == Command::Help) return 0;
  for (const auto* value : {&invocation.channel, &invocation.level, &invocation.qam,
                            &invocation.country}) {
    FUZZ_CHECK(Typed(words, *value));
  }
  for (const std::string& port : invocation.ports) FUZZ_CHECK(Typed(words, port));
  FUZZ_CHECK(!(invocation.all && !invocation.ports.empty()));
  if (invocation.command == Command::Write) {
    FUZZ_CHECK(invocation.channel || invocation.level || invocation.qam || invocation.country);
  }
  CheckChanges(invocation);
  return 0;
}
