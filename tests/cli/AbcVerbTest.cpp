#include <gtest/gtest.h>

#include "abc/AbcObjectText.h"
#include "abcsource/AbcTexts.h"
#include "abc/AbcObjects.h"
#include "abc/AbcOutline.h"
#include "abc/AbcParser.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/AbcBuilder.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

/// A version 10 movie with a frame action (serial 1) and a DoABC tag holding the example
/// block: class com.example::Foo (serial 2) and its script (serial 3).
test::Bytes abcMovie() {
  test::MovieBuilder movie(10);
  movie.frameLabel("go").doAction({0x07, 0x00}).doAbc(1, "frame1", test::exampleAbc()).showFrame().end();
  return movie.build();
}

class AbcVerbs : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.file("movie.swf");
    test::writeFile(path, abcMovie());
    ASSERT_EQ(scanned.scan(abcMovie()), ScanStatus::Success);
    collectAbcObjects(scanned.result);
    ASSERT_EQ(scanned.timeline(0).abcObjects.size(), 2u);
    foo = scanned.timeline(0).abcObjects[0].get();
    script = scanned.timeline(0).abcObjects[1].get();
  }

  test::CliOutcome run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--temp", folder.file("temp")});
    return test::runOrvaneCli(arguments);
  }

  std::string windowText(const AbcObject& object, TranslationMode mode) { return texts.windowText(object, mode); }

  test::ScratchFolder folder;
  test::ScanFixture scanned;
  std::string path;
  const AbcObject* foo = nullptr;
  const AbcObject* script = nullptr;
  AbcTexts texts;
};

TEST_F(AbcVerbs, ScanListsAndCountsTheScriptsAndClasses) {
  const test::CliOutcome text = run({"scan", path});
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("Sprite Instances with Actions Count\t0\n"
                          "ActionScript 3 Classes Count\t 1\n"
                          "ActionScript 3 Scripts Count\t 1\n"
                          " \t\n"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("Main Movie Stage\n  Actions (1)\n    Action Script For  Frame[0] \n"
                          "  ActionScript 3 (2)\n    Class com.example::Foo \n    Script 0 \n\n"),
            std::string::npos)
      << text.out;

  const test::CliOutcome json = run({"scan", path, "--json"});
  EXPECT_NE(json.out.find("{\"kind\":\"abcClass\",\"serial\":2,\"characterId\":0,\"frame\":0,\"label\":\"go\","
                          "\"typeName\":\"DoABC\",\"displayName\":\"Class com.example::Foo \","
                          "\"className\":\"com.example::Foo\",\"classIndex\":0,\"tagName\":\"frame1\",\"tagFlags\":1},"
                          "{\"kind\":\"abcScript\",\"serial\":3,\"characterId\":0,\"frame\":0,\"label\":\"go\","
                          "\"typeName\":\"DoABC\",\"displayName\":\"Script 0 \",\"scriptNumber\":0,\"scriptIndex\":0,"
                          "\"tagName\":\"frame1\",\"tagFlags\":1}"),
            std::string::npos)
      << json.out;
}

TEST_F(AbcVerbs, ActionsShowsTheWindowTextOfAScriptOrClass) {
  test::CliOutcome outcome = run({"actions", path, "--serial", "2"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, windowText(*foo, TranslationMode::ActionScript4));
  EXPECT_TRUE(outcome.out.starts_with("// ActionScript 3 : Class com.example::Foo\n")) << outcome.out;
  outcome = run({"actions", path, "--serial", "3", "--mode", "int"});
  EXPECT_EQ(outcome.out, windowText(*script, TranslationMode::ByteCodeInteger));
  EXPECT_NE(outcome.out.find("// Byte Code : Integer\n"), std::string::npos);

  const test::CliOutcome all = run({"actions", path, "--all", "--mode", "function"});
  const std::size_t action = all.out.find("=== Action Script For  Frame[0] \n");
  const std::size_t classes =
      all.out.find("=== Class com.example::Foo \n" + windowText(*foo, TranslationMode::FunctionCode));
  const std::size_t scripts = all.out.find("=== Script 0 \n" + windowText(*script, TranslationMode::FunctionCode));
  EXPECT_LT(action, classes);
  EXPECT_LT(classes, scripts);
  EXPECT_NE(scripts, std::string::npos);
}

TEST_F(AbcVerbs, AbcPrintsEveryTagOrTheClassesOfOneName) {
  const test::Bytes block = test::exampleAbc();
  const AbcFile file = parseAbc(block);
  AbcOutline outline(file);
  test::CliOutcome outcome = run({"abc", path});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "=== DoABC \"frame1\" (flags 0x1) in frame 0 : ABC version 46.16, 1 class, 1 script\n" +
                             outline.classText(0) + outline.scriptText(0));

  const std::string fooText = "=== Class com.example::Foo \n" + windowText(*foo, TranslationMode::ActionScript5);
  for (const char* name : {"com.example::Foo", "Foo"}) {
    outcome = run({"abc", path, "--class", name});
    EXPECT_EQ(outcome.status, 0) << name;
    EXPECT_EQ(outcome.out, fooText) << name;
  }
  outcome = run({"abc", path, "--class", "example::Foo"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "orvane-cli: no class is named example::Foo\n");

  const std::string plain = folder.file("plain.swf");
  test::MovieBuilder movie(10);
  movie.doAction({0x07, 0x00}).showFrame().end();
  test::writeFile(plain, movie.build());
  outcome = run({"abc", plain});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "orvane-cli: the movie has no DoABC or DoABC1 tag\n");
  EXPECT_EQ(run({"abc"}).status, 2);
  EXPECT_EQ(run({"abc", path, "--serial", "2"}).status, 2);
  EXPECT_NE(run({"--help"}).out.find("  abc MOVIE [--class NAME [--method NAME]]\n"), std::string::npos);
}

TEST_F(AbcVerbs, WriteActionsAndGrepReadTheSameTexts) {
  const std::string out = folder.file("foo");
  test::CliOutcome outcome = run({"write-actions", path, "--serial", "2", out, "--mode", "bytecode"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, out + ".txt\n");
  const std::vector<std::uint8_t> written = test::readFile(out + ".txt");
  EXPECT_EQ(std::string(written.begin(), written.end()), windowText(*foo, TranslationMode::ByteCodeHex));
  // The source mode writes the source, with the source's extension.
  outcome = run({"write-actions", path, "--serial", "2", folder.file("class"), "--mode", "source"});
  EXPECT_EQ(outcome.out, folder.file("class") + ".as\n");
  const std::vector<std::uint8_t> source = test::readFile(folder.file("class") + ".as");
  EXPECT_EQ(std::string(source.begin(), source.end()), windowText(*foo, TranslationMode::Source));

  outcome = run({"grep", path, "constructsuper", "--mode", "as5"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "Class com.example::Foo  : 22 :                 3  constructsuper 0\n");
}

TEST_F(AbcVerbs, DecompileWritesTheSourceTreeAndPrintsEachFile) {
  const std::string out = folder.file("src");
  test::CliOutcome outcome = run({"decompile", path, out});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, out + "/com/example/Foo.as\n");
  const std::vector<std::uint8_t> written = test::readFile(out + "/com/example/Foo.as");
  const std::string text(written.begin(), written.end());
  // The class, then its script's function a() outside the class, in the same package.
  EXPECT_TRUE(text.starts_with("package com.example {\n")) << text;
  EXPECT_NE(text.find("    public function a():void;\n}\n"), std::string::npos) << text;

  EXPECT_EQ(run({"decompile", path}).status, 2);
  EXPECT_EQ(run({"decompile", path, out, "--mode", "as5"}).status, 2);
  const std::string plain = folder.file("plain.swf");
  test::MovieBuilder movie(10);
  movie.doAction({0x07, 0x00}).showFrame().end();
  test::writeFile(plain, movie.build());
  outcome = run({"decompile", plain, out});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "orvane-cli: the movie has no DoABC or DoABC1 tag\n");
  // A folder that cannot be made: the file is named on standard error.
  test::writeFile(folder.file("taken"), {});
  outcome = run({"decompile", path, folder.file("taken")});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "orvane-cli: could not write " + folder.file("taken") + "/com/example/Foo.as\n");
}

}  // namespace
}  // namespace orvane
