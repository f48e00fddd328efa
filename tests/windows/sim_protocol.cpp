// The words of the simulator protocol, both ways.
#include "sim_protocol.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>

namespace zelvane::sim::protocol {
namespace {

constexpr char kNone[] = "-";
constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  const char* at = std::find(kHexDigits, kHexDigits + 16, static_cast<char>(std::toupper(c)));
  return at == kHexDigits + 16 ? -1 : static_cast<int>(at - kHexDigits);
}

// Optional numbers travel as "-" when absent.
template <typename T>
void PutOptional(std::ostream& out, const std::optional<T>& value) {
  if (value) {
    out << ' ' << static_cast<unsigned long long>(*value);
  } else {
    out << ' ' << kNone;
  }
}

template <typename T>
std::istream& GetOptional(std::istream& in, std::optional<T>& value) {
  std::string word;
  if (!(in >> word)) return in;
  if (word == kNone) {
    value.reset();
  } else {
    try {
      value = static_cast<T>(std::stoull(word));
    } catch (const std::exception&) {
      in.setstate(std::ios::failbit);
    }
  }
  return in;
}

template <typename T>
std::istream& GetNumber(std::istream& in, T& value) {
  unsigned long long number = 0;
  if (in >> number) value = static_cast<T>(number);
  return in;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

}  // namespace

void Put(std::ostream& out, const std::vector<std::uint8_t>& bytes) {
  out << ' ';
  if (bytes.empty()) {
    out << kNone;
    return;
  }
  for (const std::uint8_t b : bytes) out << kHexDigits[b >> 4] << kHexDigits[b & 0x0F];
}

std::istream& Get(std::istream& in, std::vector<std::uint8_t>& bytes) {
  std::string word;
  if (!(in >> word)) return in;
  bytes.clear();
  if (word == kNone) return in;
  if (word.size() % 2 != 0) in.setstate(std::ios::failbit);
  for (std::size_t i = 0; in && i < word.size(); i += 2) {
    const int high = HexValue(word[i]);
    const int low = HexValue(word[i + 1]);
    if (high < 0 || low < 0) {
      in.setstate(std::ios::failbit);
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
  }
  return in;
}

void Put(std::ostream& out, const DeviceState& state) {
  std::vector<std::uint8_t> modules;
  for (const Module& m : state.modules) {
    modules.push_back(m.type);
    modules.push_back(m.address);
  }
  Put(out, modules);
  Put(out, Bytes(state.revision));
  Put(out, std::vector<std::uint8_t>(state.block.begin(), state.block.end()));
  out << ' ' << int{state.country} << ' ' << int{state.modulation};
}

std::istream& Get(std::istream& in, DeviceState& state) {
  std::vector<std::uint8_t> modules, revision, block;
  Get(Get(Get(in, modules), revision), block);
  GetNumber(GetNumber(in, state.country), state.modulation);
  if (!in || modules.size() % 2 != 0 || block.size() != state.block.size()) {
    in.setstate(std::ios::failbit);
    return in;
  }
  state.modules.clear();
  for (std::size_t i = 0; i < modules.size(); i += 2) {
    state.modules.push_back({modules[i], modules[i + 1]});
  }
  state.revision.assign(revision.begin(), revision.end());
  std::copy(block.begin(), block.end(), state.block.begin());
  return in;
}

void Put(std::ostream& out, const ReplyScript& script) {
  PutOptional(out, script.statusByte);
  PutOptional(out, script.length);
  out << ' ' << script.silent << ' ' << script.padTo << ' ' << script.delayMs << ' '
      << script.badCrc << ' ' << script.badMagic << ' ' << script.hangUp << ' '
      << script.data.has_value();
  Put(out, script.data.value_or(std::vector<std::uint8_t>{}));
}

std::istream& Get(std::istream& in, ReplyScript& script) {
  bool hasData = false;
  std::vector<std::uint8_t> data;
  GetOptional(GetOptional(in, script.statusByte), script.length);
  in >> script.silent >> script.padTo >> script.delayMs >> script.badCrc >> script.badMagic >>
      script.hangUp >> hasData;
  Get(in, data);
  if (hasData) {
    script.data = std::move(data);
  } else {
    script.data.reset();
  }
  return in;
}

void Put(std::ostream& out, const Request& request) {
  const auto at = std::chrono::duration_cast<std::chrono::nanoseconds>(request.at.time_since_epoch());
  out << ' ' << at.count();
  Put(out, request.bytes);
  out << ' ' << request.valid << ' ' << int{request.address} << ' ' << int{request.command};
}

std::istream& Get(std::istream& in, Request& request) {
  long long at = 0;
  in >> at;
  Get(in, request.bytes);
  in >> request.valid;
  GetNumber(GetNumber(in, request.address), request.command);
  // The host's clock: comparable with the other requests' times only.
  request.at = Clock::time_point(std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(at)));
  return in;
}

}  // namespace zelvane::sim::protocol
