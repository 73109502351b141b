// The replace-method verb: a body printed by abc --method comes back as the same movie, an
// edited one changes only its DoABC tag, and a fault writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "abc/AbcObjects.h"
#include "movie/MovieSource.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/AbcBuilder.h"
#include "tests/support/CompressedMovie.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::Bytes;

Bytes movieWithClass() {
  test::MovieBuilder movie(10);
  movie.defineBitsLossless(false, 3, 5, 1, 1, 0, test::zlibCompress(Bytes(4, 0x7F)))
      .doAction({0x07, 0x00})
      .doAbc(1, "frame1", test::exampleAbc())
      .showFrame()
      .end();
  return movie.build();
}

Bytes imageOf(const std::string& path) {
  MovieSource source;
  EXPECT_EQ(source.load(path), ScanStatus::Success) << path;
  return source.takeImage();
}

/// The uncompressed images agree outside the DoABC tag at `headerOffset` of `before` (the
/// movie's length at offset 4 may differ).
void expectSameOutsideTag(const Bytes& before, const Bytes& after, const AbcTag& tag) {
  ASSERT_GE(after.size(), tag.headerOffset);
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + 4, after.begin()));
  EXPECT_TRUE(std::equal(before.begin() + 8, before.begin() + tag.headerOffset, after.begin() + 8));
  const std::size_t tail = before.size() - tag.bodyEnd;
  EXPECT_TRUE(std::equal(before.end() - static_cast<std::ptrdiff_t>(tail), before.end(),
                         after.end() - static_cast<std::ptrdiff_t>(tail)));
}

struct MethodFixture {
  explicit MethodFixture(const Bytes& movie) { test::writeFile(moviePath, movie); }

  test::CliOutcome print(const std::string& className, const std::string& method) {
    return test::runOrvaneCli({"abc", moviePath, "--class", className, "--method", method});
  }
  test::CliOutcome replace(const std::string& className, const std::string& method, const std::string& text) {
    test::writeFile(textPath, Bytes(text.begin(), text.end()));
    return test::runOrvaneCli({"replace-method", moviePath, "--class", className, "--method", method, textPath,
                               outPath});
  }

  test::ScratchFolder folder;
  std::string moviePath = folder.file("movie.swf");
  std::string textPath = folder.file("body.txt");
  std::string outPath = folder.file("patched.swf");
};

TEST(ReplaceMethodVerb, AnUnchangedBodyGivesTheSameMovieAndAnEditedOneChangesOnlyItsTag) {
  for (const bool compressed : {false, true}) {
    SCOPED_TRACE(compressed ? "CWS" : "FWS");
    const Bytes original = compressed ? test::cwsMovie(movieWithClass()) : movieWithClass();
    MethodFixture fixture(original);
    const test::CliOutcome getter = fixture.print("Foo", "get name");
    ASSERT_EQ(getter.status, 0) << getter.err;
    EXPECT_EQ(getter.out, "// Class com.example::Foo \n"
                          "// body 3 of method 3: max stack 1, locals 1, scope depth 4 to 5, code length 4\n"
                          "    0  getlocal_0\n"
                          "    1  getproperty name\n"
                          "    3  returnvalue\n");
    test::CliOutcome outcome = fixture.replace("com.example::Foo", "get name", getter.out);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out + outcome.err, "");
    EXPECT_EQ(test::readFile(fixture.outPath).at(0), compressed ? 'C' : 'F');
    EXPECT_EQ(imageOf(fixture.outPath), imageOf(fixture.moviePath));

    const test::CliOutcome printed = fixture.print("Foo", "run");
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_NE(printed.out.find("    7  pushstring \"a\"\n"), std::string::npos) << printed.out;

    std::string edited = printed.out;
    edited.replace(edited.find("pushstring \"a\""), 14, "pushstring \"patched\"");
    outcome = fixture.replace("Foo", "run", edited);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const Bytes written = test::readFile(fixture.outPath);
    EXPECT_EQ(written.at(0), compressed ? 'C' : 'F');
    EXPECT_EQ(test::readFile(fixture.moviePath), original);

    test::ScanFixture before;
    test::ScanFixture after;
    ASSERT_EQ(before.scanFile(fixture.moviePath), ScanStatus::Success);
    ASSERT_EQ(after.scanFile(fixture.outPath), ScanStatus::Success);
    const AbcTag& tag = *before.timeline(0).abcTags.at(0);
    expectSameOutsideTag(imageOf(fixture.moviePath), imageOf(fixture.outPath), tag);
    // The tag keeps its flags and name; the block has one string more, "patched", at 19.
    const AbcTag& patched = *after.timeline(0).abcTags.at(0);
    EXPECT_EQ(patched.flags, 1u);
    EXPECT_EQ(patched.name, "frame1");
    // The string count stays one byte; the string takes 1 + 7 bytes. The local count grows from
    // the 1 declared to the 3 that this, n and the rest array take, in one byte still.
    EXPECT_EQ(patched.bodyLength, tag.bodyLength + 8);
    EXPECT_EQ(after.timeline(0).images.size(), 1u);
    EXPECT_EQ(after.timeline(0).actions.at(0)->bytes, (Bytes{0x07, 0x00}));

    MethodFixture again(written);
    const test::CliOutcome reprinted = again.print("Foo", "run");
    EXPECT_NE(reprinted.out.find("    7  pushstring \"patched\"\n"), std::string::npos) << reprinted.out;
  }
}

TEST(ReplaceMethodVerb, FaultsArePrintedAndNothingIsWritten) {
  MethodFixture fixture(movieWithClass());
  struct Case {
    std::string className, method, text, err;
  };
  const std::vector<Case> cases = {
      {"Bar", "run", "returnvoid\n", "orvane-cli: no class is named Bar\n"},
      {"Foo", "walk", "returnvoid\n",
       "orvane-cli: class com.example::Foo has no method named walk (it has Foo, Foo$cinit, run, get name, set name)\n"},
      {"Foo", "get name", "getlocal_0\nfrobnicate\n", fixture.textPath + ":2:1: unknown instruction frobnicate\n"},
      {"Foo", "Foo", "jump L2\n", fixture.textPath + ":1:6: no label is named L2\n"},
  };
  for (const Case& fault : cases) {
    SCOPED_TRACE(fault.method);
    const test::CliOutcome outcome = fixture.replace(fault.className, fault.method, fault.text);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, fault.err);
    EXPECT_FALSE(std::filesystem::exists(fixture.outPath));
  }
  EXPECT_EQ(test::runOrvaneCli({"replace-method", fixture.moviePath, "--class", "Foo", fixture.textPath}).status, 2);
  EXPECT_EQ(test::runOrvaneCli({"abc", fixture.moviePath, "--method", "run"}).status, 2);
}

TEST(ReplaceMethodVerb, CorpusConstructorsComeBackAsTheSameMovieAndAPatchedStringStillScans) {
  const std::vector<std::string> movies = test::moviesWithAbc();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  std::size_t replaced = 0;
  for (const std::string& path : movies) {
    test::ScanFixture scanned;
    if (scanned.scanFile(path) != ScanStatus::Success) continue;
    collectAbcObjects(scanned.result);
    // The first class whose constructor has a body (an interface's has none).
    MethodFixture fixture(test::readFile(path));
    const AbcObject* first = nullptr;
    std::string simple;
    test::CliOutcome printed;
    for (const auto& timeline : scanned.result.timelines())
      for (const auto& object : timeline->abcObjects) {
        if (first != nullptr || object->kind != AbcObject::Kind::Class) continue;
        simple = object->className.substr(object->className.rfind(':') + 1);
        printed = fixture.print(object->className, simple);
        if (printed.status == 0) first = object.get();
      }
    if (first == nullptr) continue;
    SCOPED_TRACE(path);
    test::CliOutcome outcome = fixture.replace(first->className, simple, printed.out);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(imageOf(fixture.outPath), imageOf(path));
    ++replaced;

    // The constructor pushes a new string first: the movie scans, and only the tag changed.
    std::string edited = printed.out;
    edited.insert(edited.find('\n', edited.find("// body")) + 1, "pushstring \"orvane patch\"\npop\n");
    outcome = fixture.replace(first->className, simple, edited);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    test::ScanFixture patched;
    ASSERT_EQ(patched.scanFile(fixture.outPath), ScanStatus::Success);
    EXPECT_EQ(patched.result.timelines().size(), scanned.result.timelines().size());
    expectSameOutsideTag(imageOf(path), imageOf(fixture.outPath), *first->tag);
    const test::CliOutcome reprinted =
        test::runOrvaneCli({"abc", fixture.outPath, "--class", first->className, "--method", simple});
    EXPECT_NE(reprinted.out.find("pushstring \"orvane patch\"\n"), std::string::npos);
  }
  EXPECT_GE(replaced, 17u);
}

}  // namespace
}  // namespace orvane
