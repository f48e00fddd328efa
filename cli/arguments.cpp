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
    {"read", Command::Read, false, {"--port", "--json", "--trace"}},
    {"write", Command::Write, false,
     {"--port", "--channel", "--level", "--qam", "--country", "--json", "--trace"}},
    {"save", Command::Save, true, {"--port", "--trace"}},
    {"load", Command::Load, true, {"--port", "--json", "--trace"}},
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

bool IsFlag(const std::string& option) { return option == "--json" || option == "--trace"; }

// The slot of an option that carries a value.
std::optional<std::string>* ValueSlot(Invocation& invocation, const std::string& option) {
  if (option == "--port") return &invocation.port;
  if (option == "--channel") return &invocation.channel;
  if (option == "--level") return &invocation.level;
  if (option == "--qam") return &invocation.qam;
  if (option == "--country") return &invocation.country;
  return nullptr;
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
      (option == "--json" ? invocation.json : invocation.trace) = true;
      continue;
    }
    std::optional<std::string>& slot = *ValueSlot(invocation, option);
    if (slot) return Refused(option + " is given twice");
    if (equals != std::string::npos) {
      slot = word.substr(equals + 1);
    } else if (i + 1 < words.size()) {
      slot = words[++i];
    } else {
      return Refused(option + " needs a value");
    }
  }
  if (rule->takesFile && !haveFile) return Refused(std::string(rule->name) + " needs a FILE");
  if (invocation.command == Command::Write && !invocation.channel && !invocation.level &&
      !invocation.qam && !invocation.country) {
    return Refused("write needs at least one of --channel, --level, --qam, --country");
  }
  return {invocation, {}};
}

}  // namespace zelvane::cli
