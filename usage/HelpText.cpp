#include "usage/HelpText.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr std::size_t kTermIndent = 2;
constexpr std::size_t kTextIndent = 6;

/// "--mode MODE", "--all", "MOVIE".
std::string optionTerm(const OptionHelp& option) {
  std::string term(option.name);
  if (!option.value.empty()) term.append(" ").append(option.value);
  return term;
}

/// A term on a line of its own and its text indented under it.
void appendDefinition(std::string& out, std::string_view term, std::string_view text) {
  out.append(kTermIndent, ' ').append(term).append("\n");
  if (!text.empty()) out += wrapText(text, kTextIndent);
}

void appendOptions(std::string& out, const std::vector<OptionHelp>& options) {
  for (const OptionHelp& option : options) appendDefinition(out, optionTerm(option), option.text);
}

}  // namespace

std::string wrapText(std::string_view text, std::size_t indent, std::size_t width) {
  std::string out;
  std::string line;
  const auto endLine = [&] {
    if (!line.empty()) out.append(indent, ' ').append(line).append("\n");
    line.clear();
  };
  std::size_t position = 0;
  while (position < text.size()) {
    if (text.compare(position, 2, "\n\n") == 0) {
      endLine();
      out += "\n";
      position = text.find_first_not_of('\n', position);
      if (position == std::string_view::npos) break;
      continue;
    }
    if (text[position] == ' ' || text[position] == '\n') {
      ++position;
      continue;
    }
    const std::size_t wordEnd = std::min(text.find_first_of(" \n", position), text.size());
    const std::string_view word = text.substr(position, wordEnd - position);
    if (!line.empty() && indent + line.size() + 1 + word.size() > width) endLine();
    if (!line.empty()) line += ' ';
    line.append(word);
    position = wordEnd;
  }
  endLine();
  return out;
}

std::string versionLine(const ProgramHelp& program) {
  return std::string(program.name) + " " + std::string(program.version);
}

std::string programHelp(const ProgramHelp& program) {
  std::string out = "usage: " + std::string(program.name) + " " + std::string(program.synopsis) + "\n";
  if (!program.verbs.empty()) {
    out += "\n";
    for (const CommandHelp& verb : program.verbs)
      appendDefinition(out, std::string(verb.name) + " " + std::string(verb.synopsis), verb.summary);
  } else {
    out += std::string(program.summary) + "\n";
  }
  out += "\n";
  appendOptions(out, program.options);
  if (!program.verbs.empty())
    out += "\n" + std::string(program.name) + " help VERB explains one verb, with its options and examples.\n";
  return out;
}

std::string verbHelp(const ProgramHelp& program, const CommandHelp& verb) {
  std::string out = "usage: " + std::string(program.name) + " " + std::string(verb.name) + " " +
                    std::string(verb.synopsis) + "\n" + std::string(verb.summary) + "\n";
  if (!verb.description.empty()) out += "\n" + wrapText(verb.description, 0);
  if (!verb.options.empty()) {
    out += "\nOptions:\n";
    appendOptions(out, verb.options);
  }
  if (!verb.examples.empty()) {
    out += "\nExamples:\n";
    for (const Definition& example : verb.examples) appendDefinition(out, example.term, example.text);
  }
  out += "\nExit status:\n" + wrapText(verb.exitStatus.empty() ? program.exitStatus : verb.exitStatus, kTermIndent);
  return out;
}

}  // namespace orvane
