// The values of --channel, --level, --qam and --country, read as a person
// types them; each faulty one is refused before anything is sent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/arguments.h"
#include "session/write_request.h"

namespace zelvane::cli {

// A value, or the sentence that says why the text is none.
template <typename T>
struct Parsed {
  std::optional<T> value;
  std::string error;
};

// A channel caption, as the buttons show it ("TV3", "СTV5") or with a
// Latin C, in any case: the row of the plan.
Parsed<std::size_t> ParseChannel(const std::string& text);
// A level in dB, with '.' or ',', through the window's level rule: the
// position of the level table it selects.
Parsed<std::size_t> ParseLevel(const std::string& text);
// "32" or "64": the modulation value that sets it.
Parsed<std::uint8_t> ParseQam(const std::string& text);
// The index of a listed country, or its name in any case.
Parsed<std::uint8_t> ParseCountry(const std::string& text);

// The values of the invocation, or the first that is faulty.
Parsed<SettingsChange> ParseChanges(const Invocation& invocation);

}  // namespace zelvane::cli
