// What a program's command line is made of, described once so that the help texts, the
// manual pages and the shell completions are all written from the same rows.
#pragma once

#include <string_view>
#include <vector>

namespace orvane {

/// What a shell offers to complete an operand or an option's value with.
/// Verb: a verb of the same program (the operand of `help`).
enum class ValueKind { None, File, Directory, Choice, Verb };

struct OptionHelp {
  std::string_view name = {};   // "--mode"
  std::string_view value = {};  // the value's placeholder ("N", "DIR"); empty for a flag
  std::string_view text = {};   // one line: what the option does
  ValueKind kind = ValueKind::None;
  std::string_view choices = {};  // for ValueKind::Choice: the values, separated by '|'
};

struct OperandHelp {
  std::string_view name = {};  // as the synopsis writes it: "MOVIE", "DIR..."
  ValueKind kind = ValueKind::None;
};

/// A term and what it means: an example command and what it does, an environment
/// variable, a file.
struct Definition {
  std::string_view term = {};
  std::string_view text = {};
};

/// One verb of a program, or a program without verbs.
struct CommandHelp {
  std::string_view name = {};
  std::string_view synopsis = {};  // the arguments, as the help shows them
  std::string_view summary = {};   // one line
  std::string_view description = {};  // paragraphs separated by an empty line
  std::vector<OperandHelp> operands = {};
  std::vector<OptionHelp> options = {};
  std::vector<Definition> examples = {};
  std::string_view exitStatus = {};  // only where it differs from the program's rule
};

/// A manual page's worth of a program.
struct ProgramHelp {
  std::string_view name = {};
  std::string_view version = {};
  std::string_view summary = {};   // the NAME line of the manual page
  std::string_view synopsis = {};  // the arguments before the verb, or all of them
  std::string_view description = {};
  std::vector<OperandHelp> operands = {};  // of a program without verbs
  std::vector<OptionHelp> options = {};    // the options before the verb
  std::vector<CommandHelp> verbs = {};
  std::vector<Definition> examples = {};
  std::string_view exitStatus = {};
  std::vector<Definition> environment = {};
  std::vector<Definition> files = {};
  std::vector<std::string_view> seeAlso = {};  // "orvane(1)"
};

/// The values of a ValueKind::Choice option.
std::vector<std::string_view> optionChoices(const OptionHelp& option);

/// The option every verb takes besides its own.
inline constexpr OptionHelp kVerbHelpOption{"--help", "", "explain the verb, its options and examples"};

/// A verb's own options followed by --help: what a shell completes after the verb.
std::vector<OptionHelp> completedOptions(const CommandHelp& verb);

/// Whether an operand written "NAME..." takes any number of values.
bool isRepeated(const OperandHelp& operand);

}  // namespace orvane
