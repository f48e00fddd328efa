// Options take their value from the next word or after '=', so that a
// level such as "-3" is a value and not an option.
#include "cli/arguments.h"

#include <algorithm>
#include <initializer_list>

namespace zelvane::cli {
namespace {

struct CommandRule {
  const char* name;
  Command command;
  bool takesFile;
  std::initializer_list<const char*> options;
};

const CommandRule kRules[] = {
    {"ports", Command::Ports, false, {"--trace"}},
    {"devices", Command::Devices, false, {"--json", "--trace"}},
    {"read", Command::Read, false, {"--port", "--all", "--json", "--trace"}},
    {"write", Command::Write, false,
     {"--port", "--all", "--channel", "--level", "--qam", "--country", "--json", "--trace"}},
    {"save", Command::Save, true, {"--port", "--trace"}},
    {"load", Command::Load, true, {"--port", "--all", "--json", "--trace"}},
};

const CommandRule* RuleFor(const std::string& name) {
  for (const CommandRule& rule : kRules) {
    if (name == rule.name) return &rule;
  }
  return nullptr;
}

bool Takes(const CommandRule& rule, const std::string& option) {
  return std::any_of(rule.options.begin(), rule.options.end(),
                     [&](const char* o) { return option == o; });
}

bool IsFlag(const std::string& option) {
  return option == "--json" || option == "--trace" || option == "--all";
}

bool& FlagSlot(Invocation& invocation, const std::string& option) {
  if (option == "--json") return invocation.json;
  if (option == "--all") return invocation.all;
  return invocation.trace;
}

// The slot of an option that carries a value.
std::optional<std::string>* ValueSlot(Invocation& invocation, const std::string& option) {
  if (option == "--channel") return &invocation.channel;
  if (option == "--level") return &invocation.level;
  if (option == "--qam") return &invocation.qam;
  if (option == "--country") return &invocation.country;
  return nullptr;
}

// The value after '=' in words[i], else the next word (taken: `i` moves on).
std::optional<std::string> ValueOf(const std::vector<std::string>& words, std::size_t& i,
                                   std::size_t equals) {
  if (equals != std::string::npos) return words[i].substr(equals + 1);
  if (i + 1 < words.size()) return words[++i];
  return std::nullopt;
}

ParsedArguments Refused(const std::string& why) { return {std::nullopt, why}; }

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& words) {
  if (std::find(words.begin(), words.end(), "--help") != words.end() ||
      std::find(words.begin(), words.end(), "-h") != words.end()) {
    return {Invocation{}, {}};
  }
  if (words.empty()) return Refused("no command given");
  const CommandRule* rule = RuleFor(words[0]);
  if (rule == nullptr) return Refused("unknown command '" + words[0] + "'");

  Invocation invocation;
  invocation.command = rule->command;
  bool haveFile = false;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.compare(0, 2, "--") != 0) {
      if (!rule->takesFile || haveFile) return Refused("unexpected argument '" + word + "'");
      invocation.file = word;
      haveFile = true;
      continue;
    }
    const std::size_t equals = word.find('=');
    const std::string option = word.substr(0, equals);
    if (!Takes(*rule, option)) {
      return Refused(std::string(rule->name) + " takes no option " + option);
    }
    if (IsFlag(option)) {
      if (equals != std::string::npos) return Refused(option + " takes no value");
      FlagSlot(invocation, option) = true;
      continue;
    }
    std::optional<std::string> value = ValueOf(words, i, equals);
    if (!value) return Refused(option + " needs a value");
    if (option == "--port") {
      invocation.ports.push_back(*value);
      continue;
    }
    std::optional<std::string>& slot = *ValueSlot(invocation, option);
    if (slot) return Refused(option + " is given twice");
    slot = std::move(value);
  }
  if (invocation.all && !invocation.ports.empty()) return Refused("--all and --port exclude each other");
  if (invocation.command == Command::Save && invocation.ports.size() > 1) {
    return Refused("save takes one --port: one device a file");
  }
  if (rule->takesFile && !haveFile) return Refused(std::string(rule->name) + " needs a FILE");
  if (invocation.command == Command::Write && !invocation.channel && !invocation.level &&
      !invocation.qam && !invocation.country) {
    return Refused("write needs at least one of --channel, --level, --qam, --country");
  }
  return {invocation, {}};
}

}  // namespace zelvane::cli
