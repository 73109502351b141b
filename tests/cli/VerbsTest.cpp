#include "cli/Verbs.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "actions/TranslationMode.h"
#include "cli/TranslationModeArgument.h"
#include "objects/ExtractionMode.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::runOrvaneCli;

/// The words of a synopsis: options ("--mode") and placeholders ("MOVIE", "DIR...").
struct SynopsisWords {
  std::set<std::string> options;
  std::set<std::string> placeholders;
};

SynopsisWords synopsisWords(std::string_view synopsis) {
  SynopsisWords words;
  std::string word;
  const auto take = [&] {
    if (word.rfind("--", 0) == 0) words.options.insert(word);
    else if (!word.empty() && std::isupper(static_cast<unsigned char>(word[0])) != 0) words.placeholders.insert(word);
    word.clear();
  };
  for (const char c : synopsis) {
    if (c == ' ' || c == '[' || c == ']' || c == '|') take();
    else word += c;
  }
  take();
  return words;
}

TEST(CliVersion, BothSpellingsPrintTheProjectVersion) {
  const test::CliOutcome version = runOrvaneCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("orvane-cli ") + ORVANE_PROJECT_VERSION + "\n");
  EXPECT_EQ(version.err, "");
}

TEST(CliHelp, HelpVerbPrintsWhatHelpOptionsPrint) {
  const test::CliOutcome overview = runOrvaneCli({"help"});
  EXPECT_EQ(overview.status, 0);
  EXPECT_EQ(overview.out, runOrvaneCli({"--help"}).out);
  EXPECT_EQ(overview.out.rfind("usage: orvane-cli [--temp DIR] [--flags N] VERB ...\n", 0), 0u);
  EXPECT_NE(overview.out.find("\n  --version\n      print the version and exit\n"), std::string::npos);
  for (const Verb& verb : verbs()) {
    const std::string name(verb.help.name);
    const test::CliOutcome own = runOrvaneCli({"help", name});
    EXPECT_EQ(own.status, 0) << name;
    EXPECT_EQ(own.out, runOrvaneCli({name, "--help"}).out) << name;
    EXPECT_EQ(own.out.rfind("usage: orvane-cli " + name + " " + std::string(verb.help.synopsis) + "\n" +
                                std::string(verb.help.summary) + "\n",
                            0),
              0u)
        << own.out;
    for (const OptionHelp& option : verb.help.options)
      EXPECT_NE(own.out.find("\n  " + std::string(option.name)), std::string::npos) << name << " " << option.name;
    EXPECT_NE(own.out.find("\nExit status:\n"), std::string::npos) << name;
  }
  const test::CliOutcome unknown = runOrvaneCli({"help", "frobnicate"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err, "orvane-cli: unknown verb frobnicate (see orvane-cli help)\n");
  EXPECT_EQ(runOrvaneCli({"help", "scan", "grep"}).status, 2);
  // Without a verb the overview goes to standard error, with the usage status.
  const test::CliOutcome none = runOrvaneCli({});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.err, overview.out);
}

TEST(CliVerbTable, EveryRowDescribesWhatItsSynopsisNames) {
  for (const Verb& verb : verbs()) {
    const CommandHelp& help = verb.help;
    const std::string name(help.name);
    EXPECT_NE(verb.run, nullptr) << name;
    EXPECT_FALSE(help.synopsis.empty()) << name;
    EXPECT_FALSE(help.summary.empty()) << name;
    EXPECT_FALSE(help.description.empty()) << name;
    const SynopsisWords words = synopsisWords(help.synopsis);
    std::set<std::string> described;
    std::set<std::string> named;
    for (const OptionHelp& option : help.options) {
      described.insert(std::string(option.name));
      EXPECT_FALSE(option.text.empty()) << name << " " << option.name;
      if (!option.value.empty()) named.insert(std::string(option.value));
      EXPECT_EQ(option.kind == ValueKind::Choice, !option.choices.empty()) << name << " " << option.name;
    }
    EXPECT_EQ(words.options, described) << name << ": the synopsis and the option rows differ";
    for (const OperandHelp& operand : help.operands) named.insert(std::string(operand.name));
    // Every placeholder is an operand or an option's value ("--mode hex|..." names none).
    for (const std::string& placeholder : words.placeholders)
      EXPECT_TRUE(named.count(placeholder) == 1) << name << ": " << placeholder << " has no row";
    for (const OperandHelp& operand : help.operands)
      EXPECT_TRUE(words.placeholders.count(std::string(operand.name)) == 1) << name << ": " << operand.name;
  }
}

TEST(CliVerbTable, ModeChoicesAreTheModesTheVerbsRead) {
  for (const Verb& verb : verbs()) {
    for (const OptionHelp& option : verb.help.options) {
      if (option.name != "--mode") continue;
      const std::vector<std::string_view> choices = optionChoices(option);
      const bool translation = std::all_of(choices.begin(), choices.end(), [](std::string_view choice) {
        return modeNamed(std::string(choice)).has_value();
      });
      const bool extraction = std::all_of(choices.begin(), choices.end(), [](std::string_view choice) {
        return extractionModeFromName(std::string(choice)).has_value();
      });
      EXPECT_TRUE(translation || extraction) << verb.help.name << ": " << option.choices;
    }
  }
}

TEST(CliVerbTable, EveryVerbAcceptsTheOptionsItsRowDescribes) {
  test::ScratchFolder folder;
  const std::string missing = folder.file("missing.swf");
  for (const Verb& verb : verbs()) {
    const std::string name(verb.help.name);
    if (name == "help") continue;
    for (const OptionHelp& option : verb.help.options) {
      std::vector<std::string> arguments{name, std::string(option.name)};
      if (!option.value.empty())
        arguments.push_back(option.kind == ValueKind::Choice ? std::string(optionChoices(option).front())
                                                             : folder.file("value"));
      arguments.push_back(missing);
      EXPECT_EQ(runOrvaneCli(arguments).err.find("unknown option"), std::string::npos) << name << " " << option.name;
    }
    const test::CliOutcome bogus = runOrvaneCli({name, "--no-such-option", missing});
    EXPECT_EQ(bogus.status, 2) << name;
    EXPECT_EQ(bogus.err, "orvane-cli: unknown option --no-such-option\n") << name;
  }
}

}  // namespace
}  // namespace orvane
