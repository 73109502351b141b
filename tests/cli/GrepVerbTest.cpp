#include <gtest/gtest.h>

#include "tests/cli/CliRunner.h"
#include "tests/search/SearchMovie.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

class GrepVerb : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.file("movie.swf");
    test::writeFile(path, test::scoreMovie());
    ASSERT_EQ(scanned.scan(test::scoreMovie()), ScanStatus::Success);
  }

  test::CliOutcome run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--temp", folder.file("temp"), "grep", path});
    return test::runOrvaneCli(arguments);
  }

  test::ScratchFolder folder;
  test::ScanFixture scanned;
  std::string path;
};

TEST_F(GrepVerb, HitsOneLineEachAndExitZero) {
  const TimelineNode& main = scanned.timeline(0);
  const std::string frame = main.actions[0]->describe(false);
  const std::string button = main.buttons[0]->describe(false);
  test::CliOutcome outcome = run({"score", "--mode", "as5"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, frame + " : 11 : score = \"5\";\n" + button + " : 7 : \tscore = \"0\";\n" +
                             "Sprite Instance ball  : 7 : \tscore = \"9\";\n");

  outcome = run({"score = \"[59]\"", "--regex", "--mode", "as5"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, frame + " : 11 : score = \"5\";\nSprite Instance ball  : 7 : \tscore = \"9\";\n");

  outcome = run({"STOP", "--ignore-case", "--mode", "as4"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, frame + " : 12 : Stop()\n");
}

TEST_F(GrepVerb, NoHitsExitOneAndBadPatternsExitTwo) {
  test::CliOutcome outcome = run({"SCORE", "--mode", "as5"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_TRUE(outcome.out.empty());

  outcome = run({"(score", "--regex"});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.err, "orvane-cli: bad pattern: Unmatched ( or \\(\n");

  EXPECT_EQ(run({"score", "--mode", "as6"}).status, 2);
  EXPECT_EQ(run({}).status, 2);
}

}  // namespace
}  // namespace orvane
