// The command line's words: the command, its file and its options, each
// option checked against what the command takes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zelvane::cli {

enum class Command { Help, Ports, Read, Write, Save, Load };

struct Invocation {
  Command command = Command::Help;
  std::string file;  // save and load
  std::optional<std::string> port;
  // The values of write, as typed.
  std::optional<std::string> channel;
  std::optional<std::string> level;
  std::optional<std::string> qam;
  std::optional<std::string> country;
  bool json = false;
  bool trace = false;
};

struct ParsedArguments {
  std::optional<Invocation> invocation;
  std::string error;  // why the words make no invocation
};

// `words` without the program's name. "--help" anywhere asks for help.
ParsedArguments ParseArguments(const std::vector<std::string>& words);

}  // namespace zelvane::cli
