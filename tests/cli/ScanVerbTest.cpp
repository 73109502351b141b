#include <gtest/gtest.h>

#include "tests/cli/CliRunner.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::runOrvaneCli;

TEST(ScanVerb, PrintsPropertiesTreeAndInstances) {
  test::ScratchFolder folder;
  test::TagList sprite;
  sprite.showFrame().end();
  test::MovieBuilder movie(5);
  movie.rect(0, 11000, 0, 8000).frameRate(0x0C00).frameCount(24);
  movie.frameLabel("start").doAction({0x07, 0x00}).defineSprite(3, 1, sprite)
      .placeObject2(5, 1, 3, "ball", 0, {{0x0001, {0x06, 0x00}}}).showFrame().end();
  const std::string path = folder.file("movie.swf");
  const test::Bytes bytes = movie.build();
  test::writeFile(path, bytes);

  const test::CliOutcome run = runOrvaneCli({"--temp", folder.file("temp"), "scan", path});
  EXPECT_EQ(run.status, 0);
  const std::string expected =
      "File Size\t " + std::to_string(bytes.size()) + " Bytes\n"
      "SWF Movie Version\t 5\n"
      "Movie Width\t 550 pixels\n"
      "Movie Height\t 400 pixels\n"
      "Frame Rate\t 12 frames\\sec\n"
      "Frame Count\t 24\n"
      " \t\n"
      "Images Count\t 0\n"
      "Sounds Count\t 0\n"
      "Actions Count\t 1\n"
      "Buttons Count\t 0\n"
      "Sprite Definition Count\t2\n"
      "Sprite Instances with Actions Count\t1\n"
      " \t\n"
      "Approx Playing Time\t 2 sec\n"
      "\n"
      "Main Movie Stage\n"
      "  Actions (1)\n"
      "    Action Script For  Frame[0] \n"
      "\n"
      "2\tball\tstart [0]\tPlace Character: 3 [ Instance Of Movie Object (ID 1) 1 Frames tagid 3]\n";
  EXPECT_EQ(run.out, expected);

  const test::CliOutcome details = runOrvaneCli({"--temp", folder.file("temp"), "scan", path, "--details", "--json"});
  EXPECT_EQ(details.status, 0);
  EXPECT_NE(details.out.find("\"displayName\":\"Action Script For  Frame[0] Label: start tagID["), std::string::npos);
  EXPECT_NE(details.out.find("\"instanceName\":\"ball\""), std::string::npos);
}

TEST(ScanVerb, InitActionsInTheTreeTheJsonAndTheActionsVerb) {
  test::ScratchFolder folder;
  test::TagList sprite;
  sprite.showFrame().end();
  test::MovieBuilder movie(6);
  movie.defineSprite(3, 1, sprite).doAction({0x07, 0x00}).doInitAction(3, {0x06, 0x00}).showFrame().end();
  const std::string path = folder.file("movie.swf");
  test::writeFile(path, movie.build());

  const test::CliOutcome run = runOrvaneCli({"--temp", folder.file("temp"), "scan", path});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Main Movie Stage\n  Actions (1)\n    Action Script For  Frame[0] \n"
                         "  Init Actions (1)\n    Init Actions For Movie Object (ID 3) \n\n"),
            std::string::npos)
      << run.out;
  const test::CliOutcome json = runOrvaneCli({"--temp", folder.file("temp"), "scan", path, "--json"});
  EXPECT_NE(json.out.find("{\"kind\":\"initAction\",\"serial\":2,\"characterId\":3,\"frame\":0,\"label\":\"\","
                          "\"typeName\":\"DoInitAction\",\"displayName\":\"Init Actions For Movie Object (ID 3) \","
                          "\"spriteId\":3,\"length\":2}"),
            std::string::npos)
      << json.out;
  const test::CliOutcome actions =
      runOrvaneCli({"--temp", folder.file("temp"), "actions", path, "--serial", "2", "--mode", "as5"});
  EXPECT_EQ(actions.status, 0);
  EXPECT_EQ(actions.out,
            "// Action Script Translation Engine V1.5.2\n// Orvane, the SWF movie inspector\n//\n"
            "// Mode : Translate to Action Script, Version 5\n// Frame : 0\n// Label : \n// Instruction Count : 2\n"
            "// Action Script Size : 2 bytes\n//\n\nplay ();\n// END Action Script\n\n");
  const test::CliOutcome all = runOrvaneCli({"--temp", folder.file("temp"), "actions", path, "--all", "--mode", "function"});
  EXPECT_NE(all.out.find("=== Action Script For  Frame[0] \n"), std::string::npos);
  EXPECT_GT(all.out.find("=== Init Actions For Movie Object (ID 3) \n"), all.out.find("=== Action Script For"));
}

TEST(ScanVerb, FailuresAndUsageErrors) {
  test::ScratchFolder folder;
  const std::string path = folder.file("bad.swf");
  test::writeFile(path, {'C', 'W', 'S', 6, 30, 0, 0, 0});
  const test::CliOutcome bad = runOrvaneCli({"--temp", folder.path(), "scan", path});
  EXPECT_EQ(bad.status, 1);
  EXPECT_TRUE(bad.out.empty());
  ASSERT_EQ(bad.messages.size(), 1u);
  EXPECT_EQ(bad.messages[0], "ERROR : Invalid File Format: The SWF File is Invalid and can not be scanned");

  const test::CliOutcome missing = runOrvaneCli({"--temp", folder.path(), "scan", folder.file("none.swf")});
  EXPECT_EQ(missing.status, 1);
  ASSERT_EQ(missing.messages.size(), 2u);
  EXPECT_EQ(missing.messages[0], folder.file("none.swf"));
  EXPECT_EQ(missing.messages[1],
            "ERROR : Unable To Open File: Unable to open file, the file may not exist or is read/write only");

  EXPECT_EQ(runOrvaneCli({"scan"}).status, 2);
  EXPECT_EQ(runOrvaneCli({"frobnicate"}).status, 2);
  EXPECT_EQ(runOrvaneCli({"--flags", "x", "scan", path}).status, 2);
  EXPECT_EQ(runOrvaneCli({"scan", path, "--bogus"}).status, 2);
  const test::CliOutcome help = runOrvaneCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("scan MOVIE"), std::string::npos);
}

}  // namespace
}  // namespace orvane
