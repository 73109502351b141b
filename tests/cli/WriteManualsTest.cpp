// The manual pages and completion scripts that the build writes and `cmake --install`
// installs: current, valid, and covering every verb of the table.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/Verbs.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/TestFiles.h"
#include "usage/DesktopUsage.h"
#include "usage/ManualPage.h"
#include "usage/ShellCompletion.h"

namespace orvane {
namespace {

std::string built(const std::string& name) { return std::string(ORVANE_MANUALS_DIR) + "/" + name; }

std::string fileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(WriteManuals, BuiltFilesAreWhatTheTableGivesNow) {
  EXPECT_EQ(fileText(built("orvane-cli.1")), manualPage(cliProgram()));
  EXPECT_EQ(fileText(built("orvane.1")), manualPage(desktopProgram()));
  EXPECT_EQ(fileText(built("orvane-cli.bash")), bashCompletion(cliProgram()));
  EXPECT_EQ(fileText(built("_orvane-cli")), zshCompletion(cliProgram()));
  EXPECT_EQ(fileText(built("orvane-cli.fish")), fishCompletion(cliProgram()));
}

TEST(WriteManuals, ManRendersBothPagesWithoutWarnings) {
  if (!test::hasProgram("man")) GTEST_SKIP() << "man is not installed: the manual pages are not rendered";
  for (const char* page : {"orvane-cli.1", "orvane.1"}) {
    const std::string command = "MANWIDTH=80 man --warnings -E UTF-8 -l " + test::shellQuoted(built(page));
    const test::CommandOutput warnings = test::runCommand(command + " 2>&1 >/dev/null");
    EXPECT_EQ(warnings.status, 0) << page;
    EXPECT_EQ(warnings.output, "") << page;
    const std::string rendered = test::runCommand(command + " 2>/dev/null").output;
    for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS", "SEE ALSO"})
      EXPECT_NE(rendered.find(std::string("\n") + section + "\n"), std::string::npos) << page << " " << section;
  }
  const std::string rendered =
      test::runCommand("MANWIDTH=200 man -E UTF-8 -l " + test::shellQuoted(built("orvane-cli.1")) + " 2>/dev/null")
          .output;
  for (const Verb& verb : verbs()) {
    const std::string name(verb.help.name);
    EXPECT_NE(rendered.find("\n   " + name + "\n"), std::string::npos) << name << " has no subsection";
    EXPECT_NE(rendered.find("orvane-cli " + name + " " + std::string(verb.help.synopsis)), std::string::npos) << name;
  }
}

TEST(WriteManuals, EveryVerbAndOptionIsInThePageAndTheScripts) {
  const std::string page = fileText(built("orvane-cli.1"));
  const std::string bash = fileText(built("orvane-cli.bash"));
  const std::string zsh = fileText(built("_orvane-cli"));
  const std::string fish = fileText(built("orvane-cli.fish"));
  for (const Verb& verb : verbs()) {
    const std::string name(verb.help.name);
    EXPECT_NE(page.find(".SS " + roffText(name) + "\n"), std::string::npos) << name;
    EXPECT_NE(bash.find("\n    " + name + ") options=\""), std::string::npos) << name;
    EXPECT_NE(zsh.find("\n    '" + name + ":"), std::string::npos) << name;
    EXPECT_NE(zsh.find("\n        " + name + ")\n"), std::string::npos) << name;
    EXPECT_NE(fish.find("-a " + name + " -d "), std::string::npos) << name;
    for (const OptionHelp& option : verb.help.options) {
      const std::string flag(option.name);
      EXPECT_NE(page.find(".TP\n\\fB" + roffText(flag) + "\\fR"), std::string::npos) << name << " " << flag;
      EXPECT_NE(zsh.find("'" + flag + "["), std::string::npos) << name << " " << flag;
      EXPECT_NE(fish.find("__fish_seen_subcommand_from " + name + "' -l " + flag.substr(2) + " "), std::string::npos)
          << name << " " << flag;
    }
  }
}

TEST(WriteManuals, BashCompletesEveryVerbAndItsOptions) {
  if (!test::hasProgram("bash")) GTEST_SKIP() << "bash is not installed";
  test::ScratchFolder folder;
  const std::string script = built("orvane-cli.bash");
  const auto complete = [&](const std::string& line) {
    return test::bashCompletions(script, "_orvane_cli", folder.path(), line);
  };
  std::vector<std::string> names;
  for (const Verb& verb : verbs()) names.emplace_back(verb.help.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(complete("orvane-cli "), names);
  EXPECT_EQ(complete("orvane-cli --flags 7 --temp /tmp "), names);
  for (const Verb& verb : verbs()) {
    const std::string name(verb.help.name);
    std::vector<std::string> options{"--help"};
    for (const OptionHelp& option : verb.help.options) options.emplace_back(option.name);
    std::sort(options.begin(), options.end());
    EXPECT_EQ(complete("orvane-cli " + name + " --"), options) << name;
  }
  EXPECT_EQ(complete("orvane-cli actions movie.swf --mode s"), std::vector<std::string>{"source"});
  EXPECT_EQ(complete("orvane-cli extract movie.swf out --mode b"), std::vector<std::string>{"bytecode"});
}

TEST(WriteManuals, FishCompletesEveryVerb) {
  if (!test::hasProgram("fish")) GTEST_SKIP() << "fish is not installed: the fish completion is not checked";
  const std::string command =
      "source " + test::shellQuoted(built("orvane-cli.fish")) + "; complete -C 'orvane-cli '";
  const std::string offered = test::runCommand("fish --no-config -c " + test::shellQuoted(command)).output;
  for (const Verb& verb : verbs())
    EXPECT_NE(offered.find(std::string(verb.help.name) + "\t" + std::string(verb.help.summary) + "\n"),
              std::string::npos)
        << verb.help.name;
}

}  // namespace
}  // namespace orvane
