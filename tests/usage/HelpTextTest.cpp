#include "usage/HelpText.h"

#include <gtest/gtest.h>

#include "tests/usage/ExampleProgram.h"

namespace orvane {
namespace {

TEST(HelpText, WrapsWordsAtTheWidthAndKeepsParagraphs) {
  // "  one two" is 9 columns; adding " three" would make 15 > 12.
  EXPECT_EQ(wrapText("one two three four", 2, 12), "  one two\n  three four\n");
  EXPECT_EQ(wrapText("a b\n\nc", 0), "a b\n\nc\n");
  EXPECT_EQ(wrapText("a\nb  c", 0), "a b c\n");
  EXPECT_EQ(wrapText("abcdefghij xy", 0, 5), "abcdefghij\nxy\n");
  EXPECT_EQ(wrapText("", 4), "");
}

TEST(HelpText, ProgramHelpListsTheVerbsAndTheOptions) {
  EXPECT_EQ(programHelp(test::exampleProgram()),
            "usage: tool [--temp DIR] VERB ...\n"
            "\n"
            "  copy IN OUT [--force] [--level fast|best]\n"
            "      Copy a file\n"
            "  into DIR...\n"
            "      Copy into folders\n"
            "  help [VERB]\n"
            "      Explain a verb\n"
            "\n"
            "  --temp DIR\n"
            "      the scratch folder\n"
            "\n"
            "tool help VERB explains one verb, with its options and examples.\n");
  EXPECT_EQ(versionLine(test::exampleProgram()), "tool 1.0");
}

TEST(HelpText, VerbHelpHasEveryPartOfTheRow) {
  const ProgramHelp program = test::exampleProgram();
  EXPECT_EQ(verbHelp(program, program.verbs[0]),
            "usage: tool copy IN OUT [--force] [--level fast|best]\n"
            "Copy a file\n"
            "\n"
            "Copies IN to OUT.\n"
            "\n"
            "Options:\n"
            "  --force\n"
            "      overwrite OUT\n"
            "  --level LEVEL\n"
            "      how hard to try\n"
            "\n"
            "Examples:\n"
            "  tool copy a b\n"
            "      Copy a to b.\n"
            "\n"
            "Exit status:\n"
            "  0 on success.\n");
  // A verb without options or examples has neither heading; its own exit status wins.
  CommandHelp into = program.verbs[1];
  into.exitStatus = "1 always.";
  EXPECT_EQ(verbHelp(program, into),
            "usage: tool into DIR...\nCopy into folders\n\nCopies into every DIR.\n\nExit status:\n  1 always.\n");
}

TEST(HelpText, ProgramWithoutVerbsShowsItsSummary) {
  const ProgramHelp viewer{.name = "viewer",
                           .summary = "show a movie",
                           .synopsis = "[MOVIE | --help]",
                           .options = {{"--help", "", "print this"}}};
  EXPECT_EQ(programHelp(viewer), "usage: viewer [MOVIE | --help]\nshow a movie\n\n  --help\n      print this\n");
}

}  // namespace
}  // namespace orvane
