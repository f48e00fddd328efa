// The command line's words: the command, its file and its options, each
// option checked against what the command takes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zelvane::cli {

enum class Command { Help, Ports, Devices, Read, Write, Save, Load };

struct Invocation {
  Command command = Command::Help;
  std::string file;  // save and load
  // Each --port in its order; read, write and load take several.
  std::vector<std::string> ports;
  bool all = false;  // --all: every listed port on which a device identifies
  // The values of write, as typed.
  std::optional<std::string> channel;
  std::optional<std::string> level;
  std::optional<std::string> qam;
  std::optional<std::string> country;
  bool json = false;
  bool trace = false;

  // Several devices, each on a session and a thread of its own.
  bool ManyDevices() const { return all || ports.size() > 1; }
};

struct ParsedArguments {
  std::optional<Invocation> invocation;
  std::string error;  // why the words make no invocation
};

// `words` without the program's name. "--help" anywhere asks for help.
ParsedArguments ParseArguments(const std::vector<std::string>& words);

}  // namespace zelvane::cli
