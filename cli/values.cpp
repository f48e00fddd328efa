// Value texts to the numbers the workflow takes.
#include "cli/values.h"

#include <algorithm>
#include <cctype>

#include "device/modulation.h"
#include "params/channel_caption.h"
#include "params/channel_plan.h"
#include "params/level_text.h"

namespace zelvane::cli {
namespace {

// The Cyrillic Es of the lower-row captions, capital and small, in UTF-8.
constexpr char kCyrillicCapitalEs[] = "\xD0\xA1";
constexpr char kCyrillicSmallEs[] = "\xD1\x81";

std::string AsciiUpper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// One spelling for every accepted form: a Cyrillic Es becomes a Latin C,
// letters become capitals.
std::string CaptionKey(std::string text) {
  for (const char* es : {kCyrillicCapitalEs, kCyrillicSmallEs}) {
    if (text.compare(0, 2, es) == 0) text.replace(0, 2, "C");
  }
  return AsciiUpper(text);
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::string CountryChoices() {
  std::string choices;
  for (std::size_t i = 0; i < CountryNames.size(); ++i) {
    if (!choices.empty()) choices += ", ";
    choices += std::to_string(i) + " " + CountryNames[i];
  }
  return choices;
}

}  // namespace

Parsed<std::size_t> ParseChannel(const std::string& text) {
  for (std::size_t row = 0; row < kChannelCount; ++row) {
    if (CaptionKey(ChannelCaption(row)) == CaptionKey(text)) return {row, {}};
  }
  return {std::nullopt, "--channel " + text + ": no such channel (TV1 to TV8, CTV1 to CTV8)"};
}

Parsed<std::size_t> ParseLevel(const std::string& text) {
  const std::optional<std::size_t> position = LevelPositionForText(text);
  if (position) return {position, {}};
  return {std::nullopt, "--level " + text +
                            ": selects no level (give dB from -11,29 to 0, such as -3 or -2.5)"};
}

Parsed<std::uint8_t> ParseQam(const std::string& text) {
  const std::optional<std::uint8_t> modulation =
      AllDigits(text) && text.size() <= 2 ? ModulationForQam(std::stoi(text)) : std::nullopt;
  if (modulation) return {modulation, {}};
  return {std::nullopt, "--qam " + text + ": give 32 or 64"};
}

Parsed<std::uint8_t> ParseCountry(const std::string& text) {
  for (std::size_t i = 0; i < CountryNames.size(); ++i) {
    const bool byIndex = AllDigits(text) && text.size() <= 3 && std::stoul(text) == i;
    if (byIndex || AsciiUpper(text) == AsciiUpper(CountryNames[i])) {
      return {static_cast<std::uint8_t>(i), {}};
    }
  }
  return {std::nullopt, "--country " + text + ": no such country (" + CountryChoices() + ")"};
}

namespace {

// Takes the value of `text` into `field`; false when it is faulty.
template <typename T>
bool Take(const std::optional<std::string>& text, Parsed<T> (*parse)(const std::string&),
          std::optional<T>& field, std::string& error) {
  if (!text) return true;
  Parsed<T> parsed = parse(*text);
  field = parsed.value;
  error = parsed.error;
  return parsed.value.has_value();
}

}  // namespace

Parsed<SettingsChange> ParseChanges(const Invocation& invocation) {
  SettingsChange changes;
  std::string error;
  const bool good = Take(invocation.channel, ParseChannel, changes.channelRow, error) &&
                    Take(invocation.level, ParseLevel, changes.levelPosition, error) &&
                    Take(invocation.qam, ParseQam, changes.modulation, error) &&
                    Take(invocation.country, ParseCountry, changes.country, error);
  if (!good) return {std::nullopt, error};
  return {changes, {}};
}

}  // namespace zelvane::cli
