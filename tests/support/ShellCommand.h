// Running other programs from tests: a shell command line, and bash's completion of a
// command line through a completion script.
#pragma once

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::test {

struct CommandOutput {
  int status = -1;
  std::string output;  // standard output and standard error together
};

/// Runs a shell command line (the test's own, with quoted scratch paths).
inline CommandOutput runCommand(const std::string& command) {
  CommandOutput result;
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, got);
  result.status = pclose(pipe);
  return result;
}

/// Whether a program of that name can be run.
inline bool hasProgram(const std::string& name) {
  return runCommand("command -v " + name + " >/dev/null").status == 0;
}

/// A path in single quotes for a shell command line.
inline std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

/// What bash offers for the last word of `line` (the word after a trailing blank being
/// empty) with the completion function `function` of `script`, run in `folder`; sorted.
inline std::vector<std::string> bashCompletions(const std::string& script, const std::string& function,
                                                const std::string& folder, const std::string& line) {
  const std::string driver =
      "source " + shellQuoted(script) + " && cd " + shellQuoted(folder) + " && line=" + shellQuoted(line) +
      " && read -ra COMP_WORDS <<<\"$line\"; [[ $line == *' ' ]] && COMP_WORDS+=(''); "
      "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=(); " + function +
      "; ((${#COMPREPLY[@]})) && printf '%s\\n' \"${COMPREPLY[@]}\"";
  std::istringstream lines(runCommand("bash --norc --noprofile -c " + shellQuoted(driver)).output);
  std::vector<std::string> words;
  for (std::string word; std::getline(lines, word);) words.push_back(word);
  std::sort(words.begin(), words.end());
  return words;
}

}  // namespace orvane::test
