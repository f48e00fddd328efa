// The settings file that save writes and load reads: a small, versioned
// JSON object that a person can read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "device/commands.h"
#include "params/param_block.h"
#include "session/device_session.h"

namespace zelvane::cli {

constexpr int kSettingsFileVersion = 1;

struct SettingsRecord {
  ParamBlock block{};
  std::optional<std::uint8_t> modulation;  // none when the device reported none
  std::uint8_t country = kNoCountry;        // as stored, 255 for none
  std::string revision;                     // of the device saved from
  std::string saved;                        // UTC, "2026-12-10T09:24:00Z"
};

// The moment of saving in the form the file keeps it.
std::string UtcNow();

// The file's text:
//   {"version": 1, "saved": "...", "revision": "...", "modulation": 64,
//    "country_index": 0, "block": "58 hex digits"}
// with one member a line.
std::string SettingsFileText(const SettingsRecord& record);

struct SettingsFileRead {
  std::optional<SettingsRecord> record;
  std::string error;  // what is wrong with the file, when there is no record
};

// Refuses text that is not JSON, of another version, with a block that is
// not 29 bytes in hex, or with a modulation or country out of range.
SettingsFileRead ParseSettingsFile(const std::string& text);

// What loading the file sends: its block and country, with `modulation`.
WriteRequest RequestOf(const SettingsRecord& record, std::uint8_t modulation);

// The file at `path`, read whole or refused with the reason.
SettingsFileRead ReadSettingsFile(const std::string& path);
// False when the file could not be written.
bool WriteSettingsFile(const std::string& path, const SettingsRecord& record);

}  // namespace zelvane::cli
