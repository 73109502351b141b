#include <gtest/gtest.h>

#include "shell/ActionTextFile.h"
#include "shell/Commands.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

TEST(Commands, TablesAndModeCommands) {
  const CommandEntry* open = findCommand(frameCommands(), cmd::kOpen);
  ASSERT_NE(open, nullptr);
  EXPECT_STREQ(open->label, "&Open...");
  EXPECT_STREQ(open->shortcut, "Ctrl+O");
  for (const int id : {cmd::kRescan, cmd::kExtractAll, cmd::kPreviewInBrowser, cmd::kEditMovieProperties}) {
    EXPECT_EQ(findCommand(frameCommands(), id)->rule, EnableRule::MovieLoaded) << id;
  }
  EXPECT_EQ(findCommand(frameCommands(), 12345), nullptr);
  EXPECT_STREQ(findCommand(actionCommands(), cmd::kByteCodeInteger)->statusText,
               "Translate To Byte Code - Interger Mode");

  EXPECT_EQ(modeCommandFor(10, 5), 32771);
  EXPECT_EQ(modeCommandFor(11, 5), 32772);
  EXPECT_EQ(modeCommandFor(12, 5), 32773);
  EXPECT_EQ(modeCommandFor(13, 5), 32774);
  EXPECT_EQ(modeCommandFor(14, 8), 32775);
  EXPECT_EQ(modeCommandFor(15, 8), 32776);
  EXPECT_EQ(modeCommandFor(16, 4), cmd::kSource);
  // Letting the program decide: the source from version 6 on, the window's own choice before.
  EXPECT_EQ(modeCommandFor(17, 5), 0);
  EXPECT_EQ(modeCommandFor(17, 6), cmd::kSource);
  EXPECT_EQ(modeCommandFor(17, 5, true), cmd::kSource);  // an ActionScript 3 object, whatever the version
  EXPECT_EQ(modeCommandFor(15, 9, true), 32776);
  EXPECT_EQ(modeCommandFor(9, 8), 0);
  EXPECT_EQ(modeCommandFor(18, 8), 0);
}

TEST(Commands, CommandLineArgument) {
  const std::vector<std::string> none = {"orvane"};
  EXPECT_EQ(pendingPathFromArguments(none), "");
  const std::vector<std::string> quoted = {"orvane", "\"/tmp/my movie.swf\"", "ignored"};
  EXPECT_EQ(pendingPathFromArguments(quoted), "/tmp/my movie.swf");
  const std::vector<std::string> literalNone = {"orvane", "none"};
  EXPECT_EQ(pendingPathFromArguments(literalNone), "");
}

TEST(ActionTextFile, NamesAndWrite) {
  EXPECT_EQ(proposedTextFileName("Action Script For  Frame[0] "), "action script for  frame[0] .txt");
  EXPECT_EQ(withTxtExtension("notes"), "notes.txt");
  EXPECT_EQ(withTxtExtension("notes.TXT"), "notes.TXT");
  EXPECT_EQ(withTxtExtension("notes.doc"), "notes.txt");
  EXPECT_EQ(withTxtExtension("a.js"), "a.js.txt");
  EXPECT_EQ(withTxtExtension("a"), std::nullopt);

  test::ScratchFolder folder;
  const std::string text = "caf\xE9\nline\n";
  ASSERT_TRUE(writeTextFile(folder.file("out.txt"), text));
  const std::vector<std::uint8_t> bytes = test::readFile(folder.file("out.txt"));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), text);
  EXPECT_FALSE(writeTextFile(folder.file("missing/out.txt"), text));
}

}  // namespace
}  // namespace orvane
