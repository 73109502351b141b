#include <gtest/gtest.h>

#include "tests/cli/CliRunner.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

const std::string kFirstLines =
    "// Action Script Translation Engine V1.5.2\n// Orvane, the SWF movie inspector\n//\n";

/// A version 5 movie with a frame action (stop), a button (release: play) and a sprite
/// instance (load: play).
test::Bytes actionMovie() {
  test::TagList sprite;
  sprite.showFrame().end();
  test::MovieBuilder movie(5);
  movie.frameLabel("start")
      .doAction({0x07, 0x00})
      .defineButton2(2, {{0x0008, {0x06, 0x00}}})
      .defineSprite(3, 1, sprite)
      .placeObject2(5, 1, 3, "ball", 0, {{0x0001, {0x06, 0x00}}})
      .showFrame()
      .end();
  return movie.build();
}

class ActionsVerb : public ::testing::Test {
 protected:
  void SetUp() override {
    const test::Bytes bytes = actionMovie();
    path = folder.file("movie.swf");
    test::writeFile(path, bytes);
    ASSERT_EQ(scanned.scan(bytes), ScanStatus::Success);
    const TimelineNode& main = scanned.timeline(0);
    ASSERT_EQ(main.actions.size(), 1u);
    ASSERT_EQ(main.buttons.size(), 1u);
    ASSERT_EQ(main.instances.size(), 1u);
    action = main.actions[0].get();
    button = main.buttons[0].get();
    instance = main.instances[0].get();
  }

  test::CliOutcome run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--temp", folder.file("temp"), "actions", path});
    return test::runOrvaneCli(arguments);
  }

  std::string frameActionAs5() const {
    return kFirstLines + "// Mode : Translate to Action Script, Version 5\n// Frame : " + std::to_string(action->frame) +
           "\n// Label : start\n// Instruction Count : 2\n// Action Script Size : 2 bytes\n//\n\n"
           "stop ();\n// END Action Script\n\n";
  }

  test::ScratchFolder folder;
  test::ScanFixture scanned;
  std::string path;
  const ActionObject* action = nullptr;
  const ButtonObject* button = nullptr;
  const InstanceObject* instance = nullptr;
};

TEST_F(ActionsVerb, OneObjectBySerialInTheWindowsFirstModeOrTheGivenOne) {
  test::CliOutcome outcome = run({"--serial", std::to_string(action->serial)});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, frameActionAs5());

  outcome = run({"--serial", std::to_string(button->serial), "--mode", "as4"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, kFirstLines + "// Mode : Translate To Action Script, Version 4\n\n"
                                       "on (release) {\n\tPlay()\n\t// END Action Script\n\n}\n\n");

  outcome = run({"--serial", std::to_string(instance->serial), "--mode", "hex"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, kFirstLines + "// Mode : Translate To Byte Code\n\non (load) {\n\t0x6 \n\t0x0 \n\n}\n\n");
}

TEST_F(ActionsVerb, AllObjectsEachUnderItsDisplayName) {
  const test::CliOutcome outcome = run({"--all"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out,
            "=== " + action->describe(false) + "\n" + frameActionAs5() + "=== " + button->describe(false) + "\n" +
                kFirstLines + "// Mode : Translate To Action Script, Version 5\n\n"
                              "on (release) {\n\tplay ();\n\t// END Action Script\n}\n\n"
                              "=== Sprite Instance ball \n" +
                kFirstLines + "// Mode : Translate To Action Script, Version 5\n\n"
                              "on (load) {\n\tplay ();\n\t// END Action Script\n}\n\n");
}

TEST_F(ActionsVerb, SourceModeIsTheScriptAloneInItsEventBlocks) {
  const test::CliOutcome outcome = run({"--all", "--mode", "source"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "=== " + action->describe(false) + "\nstop();\n=== " + button->describe(false) +
                             "\non (release) {\n    play();\n}\n=== Sprite Instance ball \n"
                             "onClipEvent (load) {\n    play();\n}\n");
}

TEST_F(ActionsVerb, UsageErrorsAndUnknownSerials) {
  EXPECT_EQ(run({}).status, 2);
  EXPECT_EQ(run({"--all", "--serial", "1"}).status, 2);
  EXPECT_EQ(run({"--serial", "x"}).status, 2);
  EXPECT_EQ(run({"--all", "--mode", "as6"}).status, 2);
  const test::CliOutcome unknown = run({"--serial", "999"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_TRUE(unknown.out.empty());
  EXPECT_FALSE(unknown.err.empty());
}

}  // namespace
}  // namespace orvane
