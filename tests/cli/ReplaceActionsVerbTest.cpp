// The replace-actions verb: an edited text patches one object and leaves every other one
// as it was, compressed movies stay compressed, and a text that does not fit writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "movie/MovieSource.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/CompressedMovie.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::Bytes;

// Push "hello", Trace, Push true, If +1 (over Play), Play, Stop, End.
const Bytes kSpriteActions = {0x96, 0x07, 0x00, 0x00, 'h', 'e', 'l', 'l', 'o', 0x00, 0x26, 0x96, 0x02, 0x00,
                              0x05, 0x01, 0x9D, 0x02, 0x00, 0x01, 0x00, 0x06, 0x07, 0x00};

/// A version 6 movie: an image, a sprite whose frame traces "hello", a frame action and a
/// button with one condition.
Bytes patchableMovie() {
  test::TagList sprite;
  sprite.doAction(kSpriteActions).showFrame().end();
  test::MovieBuilder movie(6);
  movie.defineBitsLossless(false, 3, 5, 1, 1, 0, test::zlibCompress(Bytes(4, 0x7F)))
      .defineSprite(10, 1, sprite)
      .doAction({0x07, 0x00})
      .defineButton2(20, {{0x0008, {0x06, 0x00}}})
      .showFrame()
      .end();
  return movie.build();
}

/// Every object of the scan as its type and tag body, in tree order.
std::vector<std::pair<std::string, Bytes>> objectBodies(const test::ScanFixture& scanned) {
  const Bytes& image = scanned.walker.movie().bytes();
  std::vector<std::pair<std::string, Bytes>> bodies;
  const auto add = [&](const MovieObject& object) {
    const auto begin = image.begin() + (object.bodyEnd - object.bodyLength);
    bodies.emplace_back(object.typeName, Bytes(begin, begin + object.bodyLength));
  };
  for (const auto& timeline : scanned.result.timelines()) {
    for (const auto& object : timeline->images) add(*object);
    for (const auto& object : timeline->actions) add(*object);
    for (const auto& object : timeline->buttons) add(*object);
  }
  return bodies;
}

struct ReplaceFixture {
  ReplaceFixture() : ReplaceFixture(patchableMovie()) {}
  explicit ReplaceFixture(Bytes movie) : original(std::move(movie)) {
    test::writeFile(moviePath, original);
    EXPECT_EQ(scanned.scan(patchableMovie()), ScanStatus::Success);
  }

  test::CliOutcome replace(std::uint32_t serial, const std::string& text) {
    test::writeFile(textPath, Bytes(text.begin(), text.end()));
    return test::runOrvaneCli({"--temp", folder.file("temp"), "replace-actions", moviePath, "--serial",
                               std::to_string(serial), textPath, outPath});
  }

  std::string assembly(std::uint32_t serial) {
    return test::runOrvaneCli({"--temp", folder.file("temp"), "actions", moviePath, "--serial",
                               std::to_string(serial), "--mode", "asm"})
        .out;
  }

  std::uint32_t spriteActionSerial() const { return scanned.timeline(1).actions.at(0)->serial; }
  std::uint32_t buttonSerial() const { return scanned.timeline(0).buttons.at(0)->serial; }

  test::ScratchFolder folder;
  std::string moviePath = folder.file("movie.swf");
  std::string textPath = folder.file("edit.txt");
  std::string outPath = folder.file("patched.swf");
  Bytes original;
  test::ScanFixture scanned;
};

void replaceOnce(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from << " in\n" << text;
  text.replace(at, from.size(), to);
}

TEST(ReplaceActionsVerb, PatchedTraceAndBranchChangeOnlyTheirBlock) {
  for (const bool compressed : {false, true}) {
    SCOPED_TRACE(compressed ? "CWS" : "FWS");
    ReplaceFixture fixture(compressed ? test::cwsMovie(patchableMovie()) : patchableMovie());
    std::string text = fixture.assembly(fixture.spriteActionSerial());
    replaceOnce(text, "Push \"hello\"", "Push \"bye\"");
    // The branch now jumps over Stop too: its label moves to End.
    replaceOnce(text, "L22:\nStop\n", "Stop\nL22:\n");
    const test::CliOutcome outcome = fixture.replace(fixture.spriteActionSerial(), text);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");

    const Bytes written = test::readFile(fixture.outPath);
    ASSERT_GE(written.size(), 3u);
    EXPECT_EQ(written[0], compressed ? 'C' : 'F');
    test::ScanFixture patched;
    ASSERT_EQ(patched.scanFile(fixture.outPath), ScanStatus::Success);
    // Two bytes fewer: the sprite's tag, the sprite and the movie's length follow.
    EXPECT_EQ(patched.walker.movie().bytes().size(), fixture.scanned.walker.movie().bytes().size() - 2);
    const Bytes patchedActions = {0x96, 0x05, 0x00, 0x00, 'b', 'y', 'e', 0x00, 0x26, 0x96, 0x02, 0x00,
                                  0x05, 0x01, 0x9D, 0x02, 0x00, 0x02, 0x00, 0x06, 0x07, 0x00};
    EXPECT_EQ(patched.timeline(1).actions.at(0)->bytes, patchedActions);

    auto before = objectBodies(fixture.scanned);
    auto after = objectBodies(patched);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      if (before[i].second == kSpriteActions) {
        EXPECT_EQ(after[i].second, patchedActions);
        continue;
      }
      EXPECT_EQ(after[i], before[i]) << i;
    }
    EXPECT_EQ(test::readFile(fixture.moviePath), fixture.original);
  }
}

TEST(ReplaceActionsVerb, ButtonConditionsAreReplacedAndRemoved) {
  ReplaceFixture fixture;
  // Two conditions: the first with its size, the last with the zero size field it had.
  ASSERT_EQ(fixture.replace(fixture.buttonSerial(), "on 0x0008 {\nStop\n}\non 0x0001 {\nPlay\n}\n").status, 0);
  test::ScanFixture twoConditions;
  ASSERT_EQ(twoConditions.scanFile(fixture.outPath), ScanStatus::Success);
  const ButtonObject& button = *twoConditions.timeline(0).buttons.at(0);
  ASSERT_EQ(button.conditionActions.size(), 2u);
  EXPECT_EQ(button.conditionActions[0]->conditionWord, 0x0008);
  EXPECT_EQ(button.conditionActions[0]->bytes, Bytes{0x07});
  EXPECT_EQ(button.conditionActions[1]->conditionWord, 0x0001);
  EXPECT_EQ(button.conditionActions[1]->bytes, Bytes{0x06});

  // An empty text leaves the button without conditions and its action offset 0.
  ASSERT_EQ(fixture.replace(fixture.buttonSerial(), "// nothing\n").status, 0);
  test::ScanFixture none;
  ASSERT_EQ(none.scanFile(fixture.outPath), ScanStatus::Success);
  EXPECT_TRUE(none.timeline(0).buttons.at(0)->conditionActions.empty());
  const MovieObject& tagOfButton = *none.timeline(0).buttons.at(0);
  const Bytes& image = none.walker.movie().bytes();
  const std::uint32_t bodyOffset = tagOfButton.bodyEnd - tagOfButton.bodyLength;
  EXPECT_EQ(image.at(bodyOffset + 3), 0);
  EXPECT_EQ(image.at(bodyOffset + 4), 0);
}

struct VerbFault {
  const char* what;
  std::string text;
  bool onButton;
  std::string message;  // after "FILE:"
};

std::string repeated(const std::string& line, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line;
  return text;
}

TEST(ReplaceActionsVerb, FaultsNameTheirPlaceAndWriteNothing) {
  const std::string longString(40000, 'a');
  const VerbFault faults[] = {
      {"unknown record", "Play\n  Pus 1\n", false, "2:3: unknown record name \"Pus\""},
      {"bad operand", "GotoFrame \"a\"\n", false, "1:11: expected a number, not a string"},
      {"missing label", "Play\nJump nowhere\n", false, "2:6: no label \"nowhere\" in this block"},
      // 13 400 records of 3 bytes between the branch and its label.
      {"far branch", "Jump far\n" + repeated("Record 0x80\n", 13400) + "far:\n", false,
       "1:6: the branch to \"far\" spans 40200 bytes; a branch reaches at most 32767 bytes forward and 32768 back"},
      // Two pushes of 40 005 bytes each: 80 010 bytes in one condition.
      {"condition past its size field",
       "on 0x0008 {\n" + repeated("Push \"" + longString + "\"\n", 2) + "}\n", true,
       "1:1: the condition's actions take 80010 bytes; a button condition holds at most 65531"},
      {"on blocks for a frame action", "on 0x0008 {\n}\n", false,
       "1:1: a frame or init action takes the records of one block, not on blocks"},
  };
  for (const VerbFault& fault : faults) {
    SCOPED_TRACE(fault.what);
    ReplaceFixture fixture;
    const test::CliOutcome outcome =
        fixture.replace(fault.onButton ? fixture.buttonSerial() : fixture.spriteActionSerial(), fault.text);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, fixture.textPath + ":" + fault.message + "\n");
    EXPECT_FALSE(test::fileExists(fixture.outPath));
    EXPECT_EQ(test::readFile(fixture.moviePath), fixture.original);
    // Nothing else was left beside the movie either: no temporary file.
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(fixture.folder.path()))
      files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 2u);  // the movie and the text
  }
}

}  // namespace
}  // namespace orvane
