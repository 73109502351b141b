#include "usage/ShellCompletion.h"

#include <algorithm>

namespace orvane {

namespace {

/// A single-quoted fish word.
std::string quoted(std::string_view text) {
  std::string out = "'";
  for (const char c : text) {
    if (c == '\'' || c == '\\') out += '\\';
    out += c;
  }
  return out + "'";
}

/// The arguments that complete a value of this kind.
std::string valueArguments(ValueKind kind, std::string_view choices, const ProgramHelp& program) {
  switch (kind) {
    case ValueKind::File: return " -r -F";
    case ValueKind::Directory: return " -x -a '(__fish_complete_directories)'";
    case ValueKind::Verb: return " -x -a " + quoted(verbNames(program));
    case ValueKind::Choice: {
      std::string words(choices);
      std::replace(words.begin(), words.end(), '|', ' ');
      return " -x -a " + quoted(words);
    }
    case ValueKind::None: break;
  }
  return " -x";
}

void appendOptions(std::string& script, const std::string& prefix, const std::vector<OptionHelp>& options,
                   const ProgramHelp& program) {
  for (const OptionHelp& option : options) {
    script += prefix + " -l " + std::string(option.name.substr(2));
    if (!option.value.empty()) script += valueArguments(option.kind, option.choices, program);
    script += " -d " + quoted(option.text) + "\n";
  }
}

/// What the operands of a verb complete to: files when any operand is a file (folders
/// are among them), else folders, else the verbs.
std::string operandArguments(const CommandHelp& verb, const ProgramHelp& program) {
  const auto takes = [&](ValueKind kind) {
    return std::any_of(verb.operands.begin(), verb.operands.end(),
                       [kind](const OperandHelp& operand) { return operand.kind == kind; });
  };
  if (takes(ValueKind::File)) return " -F";
  if (takes(ValueKind::Directory)) return valueArguments(ValueKind::Directory, {}, program);
  if (takes(ValueKind::Verb)) return valueArguments(ValueKind::Verb, {}, program);
  return "";
}

}  // namespace

std::string fishCompletion(const ProgramHelp& program) {
  const std::string command = "complete -c " + std::string(program.name);
  std::string script = "# fish completion for " + std::string(program.name) + ", written from its verb table.\n\n";
  script += command + " -f\n";
  const std::string beforeVerb = command + " -n __fish_use_subcommand";
  appendOptions(script, beforeVerb, program.options, program);
  for (const CommandHelp& verb : program.verbs)
    script += beforeVerb + " -a " + std::string(verb.name) + " -d " + quoted(verb.summary) + "\n";
  for (const CommandHelp& verb : program.verbs) {
    const std::string afterVerb = command + " -n '__fish_seen_subcommand_from " + std::string(verb.name) + "'";
    appendOptions(script, afterVerb, completedOptions(verb), program);
    const std::string operands = operandArguments(verb, program);
    if (!operands.empty()) script += afterVerb + operands + "\n";
  }
  return script;
}

}  // namespace orvane
