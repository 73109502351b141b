#include <gtest/gtest.h>

#include "objects/Metafile.h"
#include "objects/PreviewPage.h"
#include "objects/RgbImage.h"
#include "tests/cli/CliRunner.h"
#include "tests/objects/ObjectTestSupport.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::Bytes;
using test::runOrvaneCli;
using Lines = std::vector<std::string>;

/// A 550 x 400 movie at 12 frames per second with one frame action and one lossless image.
Bytes smallMovie() {
  test::MovieBuilder movie(5);
  movie.defineBitsLossless(false, 3, 5, 1, 1, 0, test::zlibCompress(Bytes(4, 0x7F)))
      .doAction({0x07, 0x00})
      .showFrame()
      .end();
  return movie.build();
}

struct VerbFixture {
  VerbFixture() { test::writeFile(movie, original); }
  test::CliOutcome run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--temp", folder.file("temp")});
    return runOrvaneCli(arguments);
  }

  test::ScratchFolder folder;
  std::string movie = folder.file("clip.swf");
  Bytes original = smallMovie();
};

TEST(RewriteVerbs, ProjectorListsAndSavesCandidates) {
  VerbFixture fixture;
  Bytes exe(100, 0x00);
  exe.insert(exe.end(), fixture.original.begin(), fixture.original.end());
  test::writeFile(fixture.folder.file("game.exe"), exe);

  const auto rows = fixture.run({"projector", fixture.folder.file("game.exe")});
  EXPECT_EQ(rows.status, 0);
  EXPECT_EQ(rows.out, "0\t5\t100\t" + std::to_string(fixture.original.size()) + "\n");

  const auto saved = fixture.run({"projector", fixture.folder.file("game.exe"), "--save", "0", fixture.folder.file("out")});
  EXPECT_EQ(saved.status, 0);
  EXPECT_EQ(saved.out, fixture.folder.file("out.swf") + "\n");
  EXPECT_EQ(test::readFile(fixture.folder.file("out.swf")), fixture.original);

  const auto missing = fixture.run({"projector", fixture.folder.file("game.exe"), "--save", "4", fixture.folder.file("x")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.messages, (Lines{"Error : Unable to find scan object, Please re-scan the file"}));
  EXPECT_EQ(fixture.run({"projector", fixture.folder.file("game.exe"), "--save", "one", "x"}).status, 2);

  const auto empty = fixture.run({"projector", fixture.movie + "x"});
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.messages, (Lines{"Error : Unable to open source file for scanning", "No Valid SWF files Found in EXE file"}));
}

TEST(RewriteVerbs, SaveAsAndSetProperties) {
  VerbFixture fixture;
  const auto saved = fixture.run({"save-as", fixture.movie, fixture.folder.file("copy.abc")});
  EXPECT_EQ(saved.status, 0);
  EXPECT_EQ(saved.messages, (Lines{"Orvane: Save As Action was Successful"}));
  EXPECT_EQ(test::readFile(fixture.folder.file("copy.swf")), fixture.original);

  const auto refused = fixture.run({"set-properties", fixture.movie, "--width", "3271"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.messages, (Lines{"Please enter an integer between 1 and 3270."}));
  const auto notNumber = fixture.run({"set-properties", fixture.movie, "--rate", "fast"});
  EXPECT_EQ(notNumber.messages, (Lines{"Please enter an integer."}));
  EXPECT_EQ(test::readFile(fixture.movie), fixture.original);

  // Only the frame rate given: width and height stay 550 x 400, the header grows to 23 bytes.
  const auto changed = fixture.run({"set-properties", fixture.movie, "--rate", "24"});
  EXPECT_EQ(changed.status, 0);
  EXPECT_TRUE(changed.messages.empty());
  const Bytes after = test::readFile(fixture.movie);
  ASSERT_EQ(after.size(), fixture.original.size() + 2);
  EXPECT_EQ(Bytes(after.begin() + 8, after.begin() + 23),
            (Bytes{0xA0, 0x00, 0x00, 0x01, 0x57, 0xC0, 0x00, 0x00, 0x00, 0xFA, 0x00, 0x00, 24, 0x01, 0x00}));
}

TEST(RewriteVerbs, ReplaceImageAndPreviewPage) {
  VerbFixture fixture;
  test::ScanFixture scan;
  ASSERT_EQ(scan.scan(fixture.original), ScanStatus::Success);
  const ImageObject& image = *scan.timeline(0).images.at(0);
  const std::string serial = std::to_string(image.serial);

  RgbPicture picture;
  picture.width = 8;
  picture.height = 8;
  picture.pixels.assign(8 * 8 * 3, 0x40);
  test::writeFile(fixture.folder.file("p.emf"), emfWithBitmap(picture));
  RgbImage converter;
  ASSERT_EQ(converter.Load(fixture.folder.file("p.emf")), 0u);
  ASSERT_GT(converter.Write(fixture.folder.file("p.png"), ImageFileType::Png), 0u);

  const auto failed = fixture.run({"replace-image", fixture.movie, "--serial", serial, fixture.folder.file("none.png")});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.messages, (Lines{"An Error has Occured, Replacement Failed:\n\nerror on file open"}));
  EXPECT_EQ(fixture.run({"replace-image", fixture.movie, "--serial", "99", fixture.folder.file("p.png")}).status, 1);
  EXPECT_EQ(test::readFile(fixture.movie), fixture.original);

  const auto replaced = fixture.run({"replace-image", fixture.movie, "--serial", serial, fixture.folder.file("p.png")});
  EXPECT_EQ(replaced.status, 0);
  EXPECT_EQ(replaced.messages, (Lines{"Orvane - Image Replacement Finished: The SWF File Will Now Need to be re-scanned"}));
  const Bytes after = test::readFile(fixture.movie);
  EXPECT_EQ(Bytes(after.begin() + image.headerOffset, after.begin() + image.headerOffset + 2), (Bytes{0x7F, 0x05}));

  const auto page = fixture.run({"preview-page", fixture.movie, "--page", fixture.folder.file("page.htm")});
  EXPECT_EQ(page.status, 0);
  EXPECT_EQ(page.out, fixture.folder.file("page.htm") + "\n");
  const std::string text = previewPageText(fixture.movie, 550, 400);
  EXPECT_EQ(test::readFile(fixture.folder.file("page.htm")), Bytes(text.begin(), text.end()));
}

}  // namespace
}  // namespace orvane
