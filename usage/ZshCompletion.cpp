#include "usage/ShellCompletion.h"

namespace orvane {

namespace {

/// Text inside a single-quoted option description, with a backslash before each of `special`.
std::string specText(std::string_view text, std::string_view special = ":") {
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

std::string optionSpecs(const std::vector<OptionHelp>& options, const ProgramHelp& program) {
  std::string specs;
  for (const OptionHelp& option : options) {
    specs += " \\\n      '" + std::string(option.name) + "[" + specText(option.text, "[]") + "]";
    if (!option.value.empty())
      specs += ":" + specText(option.value) + ":" + specText(action(option.kind, option.choices, program), "");
    specs += "'";
  }
  return specs;
}

std::string operandSpecs(const std::vector<OperandHelp>& operands, const ProgramHelp& program) {
  std::string specs;
  for (std::size_t i = 0; i < operands.size(); ++i) {
    const OperandHelp& operand = operands[i];
    const std::string position = isRepeated(operand) ? "*" : std::to_string(i + 1);
    specs += " \\\n      '" + position + ":" + specText(operand.name) + ":" +
             specText(action(operand.kind, {}, program), "") + "'";
  }
  return specs;
}

}  // namespace

std::string zshCompletion(const ProgramHelp& program) {
  const std::string function = completionFunctionName(program);
  std::string script = "#compdef " + std::string(program.name) + "\n# zsh completion for " +
                       std::string(program.name) + ", written from its verb table.\n\n";
  script += function + "() {\n  local curcontext=$curcontext state line\n  local -a verbs\n  verbs=(\n";
  for (const CommandHelp& verb : program.verbs)
    script += "    '" + specText(verb.name) + ":" + specText(verb.summary, "") + "'\n";
  script += "  )\n  _arguments -C";
  script += optionSpecs(program.options, program);
  script += " \\\n      '1: :->verb' \\\n      '*:: :->argument' && return\n";
  script += "  case $state in\n    verb) _describe -t verbs verb verbs ;;\n    argument)\n";
  script += "      curcontext=${curcontext%:*:*}:" + std::string(program.name) + "-$words[1]:\n";
  script += "      case $words[1] in\n";
  for (const CommandHelp& verb : program.verbs) {
    script += "        " + std::string(verb.name) + ")\n          _arguments";
    script += optionSpecs(completedOptions(verb), program) + operandSpecs(verb.operands, program) + " ;;\n";
  }
  script += "      esac ;;\n  esac\n}\n\n" + function + " \"$@\"\n";
  return script;
}

}  // namespace orvane
