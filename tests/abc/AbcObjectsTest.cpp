#include "abc/AbcObjects.h"

#include <gtest/gtest.h>

#include <sstream>

#include "abc/AbcObjectText.h"
#include "abcsource/AbcTexts.h"
#include "abc/AbcOutline.h"
#include "abc/AbcParser.h"
#include "tests/support/AbcBuilder.h"
#include "tests/support/ScanFixture.h"

namespace orvane {
namespace {

using test::Bytes;
using test::MovieBuilder;

/// Two classes in the instance table, the second cut short by a trait count past the block.
Bytes blockCutInTheSecondClass() {
  test::AbcWriter abc;
  abc.u16(16).u16(46).u30(0).u30(0).u30(0).u30(0).u30(0).u30(0).u30(0);
  abc.u30(1).u30(0).u30(0).u30(0).u8(0);       // one method
  abc.u30(0);                                  // no metadata
  abc.u30(2);                                  // two classes
  abc.u30(0).u30(0).u8(0).u30(0).u30(0).u30(0);  // the first, whole
  abc.u30(0).u30(0).u8(0).u30(0).u30(0).u30(5);  // the second: five traits announced
  abc.u8(0).u8(0);
  return abc.data();
}

std::string everything(const AbcTag& tag) {
  std::ostringstream out;
  AbcTagTexts(tag).writeEverything(out);
  return out.str();
}

struct AbcMovie {
  AbcMovie() {
    MovieBuilder movie(9);
    movie.frameLabel("intro").doAction({0x07, 0x00}).doAbc(1, "frame1", test::exampleAbc()).showFrame();
    movie.doAbc1(test::generatedAbc(2)).doAbc(1, "empty", {}).doAbc(1, "cut", blockCutInTheSecondClass()).end();
    EXPECT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
    collectAbcObjects(fixture.result);
  }
  const std::vector<std::unique_ptr<AbcObject>>& objects() const { return fixture.timeline(0).abcObjects; }

  test::ScanFixture fixture;
};

TEST(AbcObjects, EveryClassThenEveryScriptOfEachTagAfterTheWalksSerials) {
  const AbcMovie movie;
  const auto& tags = movie.fixture.timeline(0).abcTags;
  const auto& objects = movie.objects();
  ASSERT_EQ(objects.size(), 6u);
  EXPECT_EQ(movie.fixture.timeline(0).actions.at(0)->serial, 1);

  const AbcObject& foo = *objects[0];
  EXPECT_EQ(foo.serial, 2);
  EXPECT_EQ(foo.kind, AbcObject::Kind::Class);
  EXPECT_EQ(foo.index, 0u);
  EXPECT_EQ(foo.className, "com.example::Foo");
  EXPECT_EQ(foo.tag, tags[0].get());
  EXPECT_EQ(foo.characterId, 0);
  EXPECT_EQ(foo.typeName, "DoABC");
  EXPECT_EQ(foo.frame, 0);
  EXPECT_EQ(foo.label, "intro");
  EXPECT_EQ(foo.bodyLength, tags[0]->bodyLength);
  EXPECT_EQ(foo.describe(false), "Class com.example::Foo ");

  const AbcObject& firstScript = *objects[1];
  EXPECT_EQ(firstScript.kind, AbcObject::Kind::Script);
  EXPECT_EQ(firstScript.serial, 3);
  EXPECT_EQ(firstScript.scriptNumber, 0u);
  EXPECT_EQ(firstScript.describe(false), "Script 0 ");

  EXPECT_EQ(objects[2]->className, "bench::C0");
  EXPECT_EQ(objects[3]->className, "bench::C1");
  EXPECT_EQ(objects[3]->index, 1u);
  EXPECT_EQ(objects[3]->typeName, "DoABC1");
  EXPECT_EQ(objects[3]->characterId, 1);
  EXPECT_EQ(objects[3]->frame, 1);
  EXPECT_EQ(objects[3]->label, "");
  // Scripts are numbered through the movie.
  EXPECT_EQ(objects[4]->describe(false), "Script 1 ");
  EXPECT_EQ(objects[4]->index, 0u);
  // The empty block gives nothing; the cut one its first class, named by multiname 0, and no
  // script.
  EXPECT_EQ(objects[5]->tag, tags[3].get());
  EXPECT_EQ(objects[5]->describe(false), "Class * ");
  EXPECT_EQ(objects[5]->serial, 7);
  EXPECT_EQ(movie.fixture.result.findAbcObject(7, true), objects[5].get());
}

TEST(AbcObjects, ATableCutShortKeepsItsWholeEntries) {
  const Bytes block = blockCutInTheSecondClass();
  const AbcFile file = parseAbc(block);
  EXPECT_EQ(file.instances.size(), 1u);
  EXPECT_TRUE(file.classes.empty());
  EXPECT_TRUE(file.scripts.empty());
  ASSERT_EQ(file.errors.size(), 1u);
  EXPECT_EQ(file.errors[0].message, "trait count 5 runs past the end of the block");
}

TEST(AbcObjectText, WindowTextsHaveAHeaderThenTheOutlineOrTheBytes) {
  const AbcMovie movie;
  const auto& objects = movie.objects();
  const Bytes block = test::exampleAbc();
  const AbcFile file = parseAbc(block);
  AbcOutline outline(file);
  const std::string tagLine = "// DoABC \"frame1\" (flags 0x1) in frame 0 : ABC version 46.16, 1 class, 1 script\n";
  AbcTexts texts;
  for (const TranslationMode mode :
       {TranslationMode::ActionScript5, TranslationMode::ActionScript4, TranslationMode::FunctionCode}) {
    EXPECT_EQ(texts.windowText(*objects[0], mode),
              "// ActionScript 3 : Class com.example::Foo\n" + tagLine + "//\n" + outline.classText(0));
  }
  EXPECT_EQ(texts.windowText(*objects[1], TranslationMode::ActionScript5),
            "// ActionScript 3 : Script 0\n" + tagLine + "//\n" + outline.scriptText(0));
  // The source has no header: the class in its package block.
  EXPECT_TRUE(texts.windowText(*objects[0], TranslationMode::Source).starts_with("package com.example {\n"));
  outline.setBodyBytes(ByteCodeKind::Character);
  EXPECT_EQ(texts.windowText(*objects[1], TranslationMode::ByteCodeCharacter),
            "// ActionScript 3 : Script 0\n" + tagLine + "// Byte Code : Character\n//\n" + outline.scriptText(0));

  const std::string script = texts.windowText(*objects[4], TranslationMode::ByteCodeHex);
  EXPECT_TRUE(script.starts_with("// ActionScript 3 : Script 1\n"
                                 "// DoABC1 in frame 1 : ABC version 46.16, 2 classes, 1 script\n"
                                 "// Byte Code : Hex\n"
                                 "//\n"
                                 "script0 {\n"))
      << script;
  // The block's faults stand before the outline.
  const std::string cut = texts.windowText(*objects[5], TranslationMode::ActionScript5);
  EXPECT_TRUE(cut.starts_with("// ActionScript 3 : Class *\n"
                              "// DoABC \"cut\" (flags 0x1) in frame 1 : ABC version 46.16, 1 class, 0 scripts\n"
                              "//\n"
                              "// error at offset 29: trait count 5 runs past the end of the block\n"
                              "package {\n"))
      << cut;
}

TEST(AbcObjectText, EverythingOfATagListsItsClassesScriptsAndFaults) {
  const AbcMovie movie;
  const auto& tags = movie.fixture.timeline(0).abcTags;
  const Bytes block = test::exampleAbc();
  const AbcFile file = parseAbc(block);
  AbcOutline outline(file);
  EXPECT_EQ(everything(*tags[0]),
            "=== DoABC \"frame1\" (flags 0x1) in frame 0 : ABC version 46.16, 1 class, 1 script\n" +
                outline.classText(0) + outline.scriptText(0));
  EXPECT_EQ(everything(*tags[2]),
            "=== DoABC \"empty\" (flags 0x1) in frame 1 : ABC version 0.0, 0 classes, 0 scripts\n"
            "// error at offset 0: a 16-bit value runs past the end of the block\n");
}

}  // namespace
}  // namespace orvane
