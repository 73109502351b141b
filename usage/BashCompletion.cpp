#include "usage/ShellCompletion.h"

namespace orvane {

namespace {

std::string optionNames(const std::vector<OptionHelp>& options) {
  std::string names;
  for (const OptionHelp& option : options) names += (names.empty() ? "" : " ") + std::string(option.name);
  return names;
}

std::string valuedOptionNames(const std::vector<OptionHelp>& options) {
  std::string names;
  for (const OptionHelp& option : options)
    if (!option.value.empty()) names += (names.empty() ? "" : " ") + std::string(option.name);
  return names;
}

/// The words the script's _complete_value function takes for a kind of value.
std::string kindWord(ValueKind kind) {
  switch (kind) {
    case ValueKind::File: return "file";
    case ValueKind::Directory: return "dir";
    case ValueKind::Verb: return "verb";
    case ValueKind::Choice:
    case ValueKind::None: break;
  }
  return "none";
}

/// One word per operand, "+" after the last when it repeats.
std::string operandKinds(const std::vector<OperandHelp>& operands) {
  std::string kinds;
  for (const OperandHelp& operand : operands)
    kinds += (kinds.empty() ? "" : " ") + kindWord(operand.kind) + (isRepeated(operand) ? "+" : "");
  return kinds;
}

/// The case arms that complete the value of an option: "verb --option") ...
void appendValueArms(std::string& script, std::string_view verb, const std::vector<OptionHelp>& options) {
  for (const OptionHelp& option : options) {
    if (option.value.empty()) continue;
    script += "    \"" + std::string(verb) + " " + std::string(option.name) + "\") ";
    if (option.kind == ValueKind::Choice) {
      std::string words;
      for (const std::string_view choice : optionChoices(option)) words += (words.empty() ? "" : " ") + std::string(choice);
      script += "_orvane_complete_words \"" + words + "\"";
    } else {
      script += "_orvane_complete_value " + kindWord(option.kind);
    }
    script += "; return ;;\n";
  }
}

}  // namespace

std::string completionFunctionName(const ProgramHelp& program) {
  std::string name = "_" + std::string(program.name);
  for (char& c : name)
    if (c == '-') c = '_';
  return name;
}

std::string verbNames(const ProgramHelp& program) {
  std::string names;
  for (const CommandHelp& verb : program.verbs) names += (names.empty() ? "" : " ") + std::string(verb.name);
  return names;
}

std::string bashCompletion(const ProgramHelp& program) {
  const std::string function = completionFunctionName(program);
  std::string script = "# bash completion for " + std::string(program.name) + ", written from its verb table.\n\n";
  script += R"(_orvane_complete_words() {
  mapfile -t COMPREPLY < <(compgen -W "$1" -- "$cur")
}

# $1: file, dir, verb or none.
_orvane_complete_value() {
  case $1 in
    file) compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- "$cur") ;;
    dir) compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -d -- "$cur") ;;
    verb) _orvane_complete_words "$verbs" ;;
    *) COMPREPLY=() ;;
  esac
}

)";
  script += function + "() {\n";
  script += "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n";
  script += "  local verbs=\"" + verbNames(program) + "\"\n";
  script += "  local verb=\"\" at=1\n";
  script += "  # The verb is the first word that is neither a global option nor its value.\n";
  script += "  while ((at < COMP_CWORD)); do\n    case ${COMP_WORDS[at]} in\n";
  const std::string globalValued = valuedOptionNames(program.options);
  if (!globalValued.empty()) {
    std::string pattern = globalValued;
    for (char& c : pattern)
      if (c == ' ') c = '|';
    script += "      " + pattern + ") ((at += 2)); continue ;;\n";
  }
  script += "      -*) ;;\n      *) verb=${COMP_WORDS[at]}; break ;;\n    esac\n    ((at++))\n  done\n\n";

  script += "  local options valued kinds\n  case $verb in\n";
  script += "    \"\") options=\"" + optionNames(program.options) + "\"; valued=\"" + globalValued + "\" ;;\n";
  for (const CommandHelp& verb : program.verbs) {
    const std::vector<OptionHelp> options = completedOptions(verb);
    script += "    " + std::string(verb.name) + ") options=\"" + optionNames(options) + "\"; valued=\"" +
              valuedOptionNames(options) + "\"; kinds=\"" + operandKinds(verb.operands) + "\" ;;\n";
  }
  script += "    *) return ;;\n  esac\n\n";

  script += "  case \"$verb $prev\" in\n";
  appendValueArms(script, "", program.options);
  for (const CommandHelp& verb : program.verbs) appendValueArms(script, verb.name, verb.options);
  script += "  esac\n\n";

  script += R"(  if [[ $cur == -* ]]; then
    _orvane_complete_words "$options"
    return
  fi
  if [[ -z $verb ]]; then
    _orvane_complete_words "$verbs"
    return
  fi
  # Which operand the cursor is on: the words after the verb that are neither options
  # nor the values of options.
  local operand=0 word
  for ((word = at + 1; word < COMP_CWORD; word++)); do
    case " $valued " in
      *" ${COMP_WORDS[word]} "*) ((word++)); continue ;;
    esac
    [[ ${COMP_WORDS[word]} == -* ]] || ((operand++))
  done
  local -a each=($kinds)
  local kind=${each[operand]:-}
  if [[ -z $kind ]] && ((${#each[@]})) && [[ ${each[-1]} == *+ ]]; then
    kind=${each[-1]}
  fi
  _orvane_complete_value "${kind%+}"
}

)";
  script += "complete -F " + function + " " + std::string(program.name) + "\n";
  return script;
}

}  // namespace orvane
