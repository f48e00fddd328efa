// Every member is checked for its type and range; members this version
// does not know are passed over, so that a person may add a note.
#include "cli/settings_file.h"

#include <cctype>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/json.h"
#include "device/modulation.h"
#include "params/cell_value.h"

namespace zelvane::cli {
namespace {

using json::Value;

constexpr char kVersionKey[] = "version";
constexpr char kSavedKey[] = "saved";
constexpr char kRevisionKey[] = "revision";
constexpr char kModulationKey[] = "modulation";
constexpr char kCountryKey[] = "country_index";
constexpr char kBlockKey[] = "block";
constexpr char kTimeFormat[] = "%Y-%m-%dT%H:%M:%SZ";
constexpr int kLargestCountry = 255;

std::string BlockHex(const ParamBlock& block) {
  std::string text;
  for (const std::uint8_t byte : block) text += CellText(byte);
  return text;
}

std::optional<ParamBlock> BlockOfHex(const std::string& text) {
  ParamBlock block{};
  if (text.size() != 2 * block.size()) return std::nullopt;
  for (std::size_t i = 0; i < block.size(); ++i) {
    const std::string pair = text.substr(2 * i, 2);
    if (!std::isxdigit(static_cast<unsigned char>(pair[0])) ||
        !std::isxdigit(static_cast<unsigned char>(pair[1]))) {
      return std::nullopt;
    }
    block[i] = ParseCellByte(pair).value();
  }
  return block;
}

SettingsFileRead Refused(const std::string& why) { return {std::nullopt, why}; }

// Reads the members into `record`; the reason when one is wrong.
std::optional<std::string> ReadMembers(const Value& file, SettingsRecord& record) {
  const Value* block = json::Find(file, kBlockKey);
  if (block == nullptr || !block->is_string()) {
    return std::string("it has no \"block\" text");
  }
  const std::string& hex = block->get_ref<const std::string&>();
  const std::optional<ParamBlock> bytes = BlockOfHex(hex);
  if (!bytes) {
    return "its block is not 29 bytes in hexadecimal (" + std::to_string(hex.size()) +
           " characters, 58 hex digits expected)";
  }
  record.block = *bytes;

  const Value* modulation = json::Find(file, kModulationKey);
  if (modulation == nullptr) return std::string("it has no \"modulation\" (32, 64 or null)");
  if (!modulation->is_null()) {
    const std::optional<long long> order = json::WholeNumber(*modulation);
    const std::optional<std::uint8_t> value =
        order && *order == static_cast<int>(*order) ? ModulationForQam(static_cast<int>(*order))
                                                    : std::nullopt;
    if (!value) return std::string("its modulation is not 32, 64 or null");
    record.modulation = value;
  }

  const Value* country = json::Find(file, kCountryKey);
  const std::optional<long long> index = country ? json::WholeNumber(*country) : std::nullopt;
  if (!index || *index < 0 || *index > kLargestCountry) {
    return std::string("its country_index is not an index from 0 to 255");
  }
  record.country = static_cast<std::uint8_t>(*index);

  for (const auto& [key, text] : {std::pair{kRevisionKey, &record.revision},
                                  std::pair{kSavedKey, &record.saved}}) {
    const Value* value = json::Find(file, key);
    if (value == nullptr) continue;
    if (!value->is_string()) return "its \"" + std::string(key) + "\" is not text";
    *text = value->get<std::string>();
  }
  return std::nullopt;
}

}  // namespace

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  char text[32];
  std::strftime(text, sizeof text, kTimeFormat, std::gmtime(&now));
  return text;
}

std::string SettingsFileText(const SettingsRecord& record) {
  const std::optional<int> qam = record.modulation ? QamOrder(*record.modulation) : std::nullopt;
  Value file = Value::object();
  file[kVersionKey] = kSettingsFileVersion;
  file[kSavedKey] = record.saved;
  file[kRevisionKey] = record.revision;
  file[kModulationKey] = json::OrNull(qam);
  file[kCountryKey] = record.country;
  file[kBlockKey] = BlockHex(record.block);
  return json::Serialize(file, json::Layout::Indented) + "\n";
}

SettingsFileRead ParseSettingsFile(const std::string& text) {
  const json::ParseResult parsed = json::Parse(text);
  if (!parsed.value) return Refused("it is not valid JSON (" + parsed.error + ")");
  const Value& file = *parsed.value;
  if (!file.is_object()) return Refused("it holds no JSON object");
  const Value* version = json::Find(file, kVersionKey);
  const std::optional<long long> number = version ? json::WholeNumber(*version) : std::nullopt;
  if (!number) return Refused("it has no format version");
  if (*number != kSettingsFileVersion) {
    return Refused("it is of format version " + std::to_string(*number) +
                   "; this program reads version " + std::to_string(kSettingsFileVersion));
  }
  SettingsRecord record;
  if (const std::optional<std::string> wrong = ReadMembers(file, record)) return Refused(*wrong);
  return {record, {}};
}

SettingsFileRead ReadSettingsFile(const std::string& path) {
  // Paths are UTF-8, as every word of the command line is.
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  if (!in) return Refused("it cannot be opened");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return Refused("it cannot be read");
  return ParseSettingsFile(text.str());
}

WriteRequest RequestOf(const SettingsRecord& record, std::uint8_t modulation) {
  return {record.block, modulation, record.country};
}

bool WriteSettingsFile(const std::string& path, const SettingsRecord& record) {
  std::ofstream out(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
  out << SettingsFileText(record);
  out.close();
  return !out.fail();
}

}  // namespace zelvane::cli
