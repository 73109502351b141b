#include "usage/ShellCompletion.h"

namespace orvane {

namespace {

/// Text inside a single-quoted option description, with a backslash before each of `special`.
std::string quotedText(std::string_view text, std::string_view special = ":") {
  std::string out;
  for (const char c : text) {
    if (c == '\'') out += "'\\''";
    else if (special.find(c) != std::string_view::npos) out += std::string("\\") + c;
    else out += c;
  }
  return out;
}

/// The action that completes a value of this kind.
std::string action(ValueKind kind, std::string_view choices, const ProgramHelp& program) {
  switch (kind) {
    case ValueKind::File: return "_files";
    case ValueKind::Directory: return "_files -/";
    case ValueKind::Verb: return "(" + verbNames(program) + ")";
    case ValueKind::Choice: {
      std::string words(choices);
      for (char& c : words)
        if (c == '|') c = ' ';
      return "(" + words + ")";
    }
    case ValueKind::None: break;
  }
  return " ";
}

std::string optionArguments(const std::vector<OptionHelp>& options, const ProgramHelp& program) {
  std::string arguments;
  for (const OptionHelp& option : options) {
    arguments += " \\\n      '" + std::string(option.name) + "[" + quotedText(option.text, "[]") + "]";
    if (!option.value.empty())
      arguments += ":" + quotedText(option.value) + ":" + quotedText(action(option.kind, option.choices, program), "");
    arguments += "'";
  }
  return arguments;
}

std::string operandArguments(const std::vector<OperandHelp>& operands, const ProgramHelp& program) {
  std::string arguments;
  for (std::size_t i = 0; i < operands.size(); ++i) {
    const OperandHelp& operand = operands[i];
    const std::string position = isRepeated(operand) ? "*" : std::to_string(i + 1);
    arguments += " \\\n      '" + position + ":" + quotedText(operand.name) + ":" +
                 quotedText(action(operand.kind, {}, program), "") + "'";
  }
  return arguments;
}

}  // namespace

std::string zshCompletion(const ProgramHelp& program) {
  const std::string function = completionFunctionName(program);
  std::string script = "#compdef " + std::string(program.name) + "\n# zsh completion for " +
                       std::string(program.name) + ", written from its verb table.\n\n";
  script += function + "() {\n  local curcontext=$curcontext state line\n  local -a verbs\n  verbs=(\n";
  for (const CommandHelp& verb : program.verbs)
    script += "    '" + quotedText(verb.name) + ":" + quotedText(verb.summary, "") + "'\n";
  script += "  )\n  _arguments -C";
  script += optionArguments(program.options, program);
  script += " \\\n      '1: :->verb' \\\n      '*:: :->argument' && return\n";
  script += "  case $state in\n    verb) _describe -t verbs verb verbs ;;\n    argument)\n";
  script += "      curcontext=${curcontext%:*:*}:" + std::string(program.name) + "-$words[1]:\n";
  script += "      case $words[1] in\n";
  for (const CommandHelp& verb : program.verbs) {
    script += "        " + std::string(verb.name) + ")\n          _arguments";
    script += optionArguments(completedOptions(verb), program) + operandArguments(verb.operands, program) + " ;;\n";
  }
  script += "      esac ;;\n  esac\n}\n\n" + function + " \"$@\"\n";
  return script;
}

}  // namespace orvane
