#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <filesystem>

#include "movie/TagWalker.h"
#include "tests/cli/CliRunner.h"
#include "tests/objects/ObjectTestSupport.h"
#include "tests/objects/PreservationTestSupport.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::Bytes;
using test::runOrvaneCli;

/// An 8 x 8 grey JPEG with its own tables.
Bytes smallJpeg() {
  const Bytes pixels(8 * 8 * 3, 0x80);
  tjhandle handle = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  const int failed = tjCompress2(handle, pixels.data(), 8, 0, 8, TJPF_RGB, &jpeg, &size, TJSAMP_444, 75, 0);
  Bytes bytes = failed == 0 ? Bytes(jpeg, jpeg + size) : Bytes{};
  tjFree(jpeg);
  tjDestroy(handle);
  return bytes;
}

/// A version 5 movie: in the main timeline every image kind (ids 1 to 5), every event sound
/// format that gets a file (ids 6 to 9), an MP3 stream, three frame actions (frames 0 and 1),
/// a DefineButton2 (id 10) and a DefineButton (id 11); a sprite (id 12) with a frame action.
Bytes everyKindMovie() {
  const Bytes jpeg = smallJpeg();
  const Bytes stop{0x07, 0x00};
  const Bytes play{0x06, 0x00};
  test::TagList sprite;
  sprite.doAction(play)
      .showFrame()
      .end();
  test::MovieBuilder movie(5);
  movie.frameCount(2)
      .jpegTables({0xFF, 0xD8, 0xFF, 0xD9})
      .defineBits(1, jpeg)
      .defineBitsJpeg2(2, jpeg)
      .defineBitsJpeg3(3, jpeg, test::zlibCompress(Bytes(64, 0xFF)))
      .defineBitsLossless(false, 4, 5, 1, 1, 0, test::zlibCompress({0xFF, 10, 20, 30}))
      .defineBitsLossless(true, 5, 5, 1, 1, 0, test::zlibCompress({0xFF, 40, 50, 60}))
      .defineSound(6, 0, 1, false, false, 4, {1, 2, 3, 4})
      .defineSound(7, 1, 1, false, false, 5, {0x00, 0x40, 0x00, 0x72})
      .defineSound(8, 2, 3, true, true, 1152, {0x00, 0x00, 0xFF, 0xFB, 0x90, 0x44, 0, 0})
      .defineSound(9, 3, 1, true, false, 2, {1, 0, 2, 0})
      .soundStreamHead(false, 3, true, true, 2, 1152)
      .soundStreamBlock({0x80, 0x04, 0x00, 0x00, 0xFF, 0xFB, 0x90, 0x44, 0, 0})
      .doAction(stop)
      .defineButton2(10, {{0x0008, stop}})
      .showFrame()
      .doAction(play)
      .doAction(stop)
      .defineButton(11, {0x06, 0x00})
      .defineSprite(12, 1, sprite)
      .placeObject2Plain(1, 12)
      .showFrame()
      .end();
  return movie.build();
}

std::string text(const std::string& path) {
  const Bytes bytes = test::readFile(path);
  return std::string(bytes.begin(), bytes.end());
}

struct ExtractFixture {
  ExtractFixture() { test::writeFile(movie, everyKindMovie()); }

  test::CliOutcome run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--temp", temp});
    return runOrvaneCli(arguments);
  }

  /// The serial the scan gives the image, button or sound with that character id. Images
  /// and buttons go first: a stream sound's id comes from a process-wide counter and can
  /// equal any of them (event sounds come before the stream in the list).
  std::int32_t serialOf(std::uint16_t characterId) {
    test::ScanFixture scan;
    EXPECT_EQ(scan.scan(everyKindMovie()), ScanStatus::Success);
    const MovieObject* object = scan.result.findImage(characterId, false);
    if (object == nullptr) object = scan.result.findButton(characterId, false);
    if (object == nullptr) object = scan.result.findSound(characterId, false);
    return object != nullptr ? object->serial : -1;
  }

  test::ScratchFolder folder;
  std::string temp = folder.file("temp");
  std::string movie = folder.file("every kind.swf");
};

TEST(ExtractVerb, EveryObjectOfTwoTimelinesWithItsReport) {
  ExtractFixture fixture;
  const std::uint32_t action = TagWalker::frameActionCounter();
  // The stream's temporary file takes the first free number of the run's fresh temp folder.
  const std::uint32_t stream = 0;
  const std::string d = fixture.folder.file("out");
  const test::CliOutcome run = fixture.run({"extract", fixture.movie, d});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.messages.empty());

  const std::string main = d + "/Main Movie Stage/";
  const std::string sprite = d + "/Movie Object (ID 1)/";
  const auto tag = [&](std::uint32_t offset) { return std::to_string(action + offset); };
  std::string expected = "\n Extraction Report\n-----------------------\nExtraction Directory : " + d + " \n"
                         "\n- Extracting Images - \n";
  for (int id = 1; id <= 5; ++id) expected += "OK Copied To " + main + "swfextract" + std::to_string(id) + ".jpg \n";
  expected += "\n- Extracting Sounds - \n"
              "OK Copied To " + main + "swfextract6.wav \n"
              "OK Copied To " + main + "swfextract7.wav \n"
              "OK Copied To " + main + "swfextract8.mp3 \n"
              "OK Copied To " + main + "swfextract9.wav \n"
              "OK Copied To " + main + "swfSextract" + std::to_string(stream) + ".mp3 \n"
              "\n- Exracting Action Scripts - As ActionScript Version 5\n" +
              main + "Action_In_Frame0 tag " + tag(0) + ".txtTranslating And Extracing... Success\n" +
              main + "Action_In_Frame1 tag " + tag(1) + ".txtTranslating And Extracing... Success\n" +
              main + "Action_In_Frame1 tag " + tag(2) + ".txtTranslating And Extracing... Success\n"
              "\n- Exracting Button Action Scripts - As ActionScript Version 5\n" +
              main + "ButtonAction_In_Frame0 tag 10.txtTranslating And Extracing... Success\n" +
              main + "ButtonAction_In_Frame1 tag 11.txtTranslating And Extracing... Success\n"
              "\n- Extracting Images - \n"
              "\n- Extracting Sounds - \n"
              "\n- Exracting Action Scripts - As ActionScript Version 5\n" +
              sprite + "Action_In_Frame0 tag " + tag(3) + ".txtTranslating And Extracing... Success\n"
              "\n- Exracting Button Action Scripts - As ActionScript Version 5\n"
              "\n Finished Extraction";
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(text(d + "/Extraction Report Log.txt"), expected);

  // Every copy is its temporary object file (kept in the --temp folder) byte for byte.
  for (int id = 1; id <= 9; ++id) {
    const std::string name = "swfextract" + std::to_string(id) + (id <= 5 ? ".jpg" : id == 8 ? ".mp3" : ".wav");
    EXPECT_EQ(test::readFile(main + name), test::readFile(fixture.temp + "/" + name)) << name;
  }
  for (int id = 1; id <= 5; ++id) {
    const auto picture = test::decodeJpeg(test::readFile(main + "swfextract" + std::to_string(id) + ".jpg"));
    ASSERT_TRUE(picture) << id;
    EXPECT_EQ(picture->width, id <= 3 ? 8 : 1);
  }
  EXPECT_EQ(text(main + "swfextract6.wav").substr(0, 4), "RIFF");
  EXPECT_EQ(test::readFile(main + "swfextract8.mp3"), (Bytes{0xFF, 0xFB, 0x90, 0x44, 0, 0}));
  EXPECT_EQ(test::readFile(main + "swfSextract" + std::to_string(stream) + ".mp3"),
            (Bytes{0xFF, 0xFB, 0x90, 0x44, 0, 0}));

  const std::string frameText = text(main + "Action_In_Frame0 tag " + tag(0) + ".txt");
  EXPECT_EQ(frameText.rfind("// Action Script Translation Engine V1.5.2\n", 0), 0u);
  EXPECT_NE(frameText.find("// Mode : Translate to Action Script, Version 5\n// Frame : 0\n"), std::string::npos);
  EXPECT_NE(frameText.find("// Action Script Size : 2 bytes\n"), std::string::npos);
  EXPECT_NE(text(sprite + "Action_In_Frame0 tag " + tag(3) + ".txt").find("// Frame : 0\n"), std::string::npos);
  EXPECT_NE(text(main + "Action_In_Frame1 tag " + tag(2) + ".txt").find("// Frame : 1\n"), std::string::npos);
  const std::string button2 = text(main + "ButtonAction_In_Frame0 tag 10.txt");
  EXPECT_NE(button2.find("// Mode : Translate To Action Script\n"), std::string::npos);
  EXPECT_NE(button2.find("\non (release) {\n\t"), std::string::npos);
  EXPECT_EQ(button2.substr(button2.size() - 3), "}\n\n");
  EXPECT_NE(text(main + "ButtonAction_In_Frame1 tag 11.txt").find("\non () {\n\t"), std::string::npos);
}

/// The "tempFile" values of a `scan --json` document; empty ones and the "no file" of the
/// JPEG tables are left out.
std::vector<std::string> tempFilesOf(const std::string& json) {
  std::vector<std::string> paths;
  const std::string key = "\"tempFile\":\"";
  for (std::size_t at = json.find(key); at != std::string::npos; at = json.find(key, at)) {
    at += key.size();
    const std::size_t close = json.find('"', at);
    const std::string path = json.substr(at, close - at);
    if (!path.empty() && path != "no file") paths.push_back(path);
  }
  return paths;
}

TEST(TempOption, KeepsEveryTemporaryObjectFileAfterTheRunAndOnlyThen) {
  ExtractFixture fixture;
  const test::CliOutcome kept = fixture.run({"scan", fixture.movie, "--json"});
  ASSERT_EQ(kept.status, 0) << kept.err;
  const std::vector<std::string> paths = tempFilesOf(kept.out);
  ASSERT_EQ(paths.size(), 10u);  // 5 images, 4 event sounds, 1 stream
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    EXPECT_EQ(path.rfind(fixture.temp + "/", 0), 0u);
    ASSERT_TRUE(test::fileExists(path));
    const Bytes bytes = test::readFile(path);
    if (path.ends_with(".jpg")) {
      EXPECT_TRUE(test::decodeJpeg(bytes));
    } else if (path.ends_with(".wav")) {
      EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    } else {
      EXPECT_EQ(bytes, (Bytes{0xFF, 0xFB, 0x90, 0x44, 0, 0}));
    }
  }

  // Without --temp the run's private folder goes, and every file in it.
  const test::CliOutcome removed = runOrvaneCli({"scan", fixture.movie, "--json"});
  ASSERT_EQ(removed.status, 0) << removed.err;
  const std::vector<std::string> gone = tempFilesOf(removed.out);
  ASSERT_EQ(gone.size(), 10u);
  for (const std::string& path : gone) EXPECT_FALSE(test::fileExists(path)) << path;
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(gone.front()).parent_path()));
}

TEST(ExtractVerb, GroupsAndModesFromTheCommandLine) {
  ExtractFixture fixture;
  const std::string d = fixture.folder.file("actions") + "/";
  const test::CliOutcome run =
      fixture.run({"extract", fixture.movie, d, "--only", "actions,buttons", "--mode", "function"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("- Extracting Images -"), std::string::npos);
  EXPECT_EQ(run.out.find("- Extracting Sounds -"), std::string::npos);
  EXPECT_NE(run.out.find("\n- Exracting Action Scripts - As Instruction Code\n"), std::string::npos);
  EXPECT_NE(run.out.find("\n- Exracting Button Action Scripts - As Instruction Code\n"), std::string::npos);
  EXPECT_NE(text(d + "Main Movie Stage/ButtonAction_In_Frame0 tag 10.txt").find("[0] "), std::string::npos);
  EXPECT_FALSE(test::fileExists(d + "Main Movie Stage/swfextract1.jpg"));

  const test::CliOutcome bytecode = fixture.run({"extract", fixture.movie, fixture.folder.file("b"), "--only", "actions",
                                                 "--mode", "bytecode"});
  EXPECT_NE(bytecode.out.find("- As Byte Code\n"), std::string::npos);

  // The source mode writes ".as" files of the script alone.
  const std::string source = fixture.folder.file("source") + "/";
  const test::CliOutcome decompiled =
      fixture.run({"extract", fixture.movie, source, "--only", "actions,buttons", "--mode", "source"});
  ASSERT_EQ(decompiled.status, 0) << decompiled.err;
  EXPECT_NE(decompiled.out.find("\n- Exracting Button Action Scripts - As ActionScript Source\n"), std::string::npos);
  EXPECT_EQ(text(source + "Main Movie Stage/ButtonAction_In_Frame0 tag 10.as"), "on (release) {\n    stop();\n}\n");
  EXPECT_FALSE(test::fileExists(source + "Main Movie Stage/ButtonAction_In_Frame0 tag 10.txt"));

  EXPECT_EQ(fixture.run({"extract", fixture.movie, d, "--only", "pictures"}).status, 2);
  EXPECT_EQ(fixture.run({"extract", fixture.movie, d, "--mode", "as6"}).status, 2);
  EXPECT_EQ(fixture.run({"extract", fixture.movie}).status, 2);
  const test::CliOutcome missing = fixture.run({"extract", fixture.folder.file("none.swf"), d});
  EXPECT_EQ(missing.status, 1);
  EXPECT_FALSE(missing.messages.empty());
}

TEST(ExtractVerb, PreserveAddsThePreservedFormsAndTheirLines) {
  ExtractFixture fixture;
  const std::string d = fixture.folder.file("kept");
  const test::CliOutcome run = fixture.run({"extract", fixture.movie, d, "--only", "images,videos", "--preserve"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string main = d + "/Main Movie Stage/";
  std::string expected = "\n Extraction Report\n-----------------------\nExtraction Directory : " + d + " \n"
                         "\n- Extracting Images - \n";
  for (int id = 1; id <= 5; ++id) {
    const std::string name = main + "swfextract" + std::to_string(id);
    expected += "OK Copied To " + name + ".jpg \n";
    if (id >= 3) expected += "OK Preserved As " + name + ".png \n";  // JPEG3 with alpha, the lossless ones
  }
  expected += "\n- Extracting Videos - \n"
              "\n- Extracting Images - \n"
              "\n- Extracting Videos - \n"
              "\n Finished Extraction";
  EXPECT_EQ(run.out, expected);
  const auto lossless = test::readPng(main + "swfextract4.png");
  ASSERT_TRUE(lossless);
  EXPECT_EQ(lossless->at(0, 0), (std::array<int, 4>{10, 20, 30, 255}));
  const auto alpha = test::readPng(main + "swfextract3.png");
  ASSERT_TRUE(alpha);
  EXPECT_EQ(alpha->width, 8u);
  EXPECT_EQ(alpha->at(7, 7)[3], 255);
  EXPECT_NEAR(alpha->at(0, 0)[0], 0x80, 2);
}

TEST(SaveObjectVerb, PreserveSavesThePreservedFormWhereThereIsOne) {
  ExtractFixture fixture;
  const std::int32_t lossless = fixture.serialOf(5);
  const std::int32_t sound = fixture.serialOf(8);
  const test::CliOutcome saved = fixture.run(
      {"save-object", fixture.movie, "--serial", std::to_string(lossless), fixture.folder.file("pic.jpg"), "--preserve"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.out, fixture.folder.file("pic.png") + "\n");
  const auto png = test::readPng(fixture.folder.file("pic.png"));
  ASSERT_TRUE(png);
  EXPECT_EQ(png->at(0, 0), (std::array<int, 4>{40, 50, 60, 255}));

  // An MP3 sound loses nothing in its object file: --preserve saves that file.
  const test::CliOutcome song = fixture.run(
      {"save-object", fixture.movie, "--serial", std::to_string(sound), fixture.folder.file("song"), "--preserve"});
  EXPECT_EQ(song.out, fixture.folder.file("song.mp3") + "\n");
  const test::CliOutcome failed = fixture.run({"save-object", fixture.movie, "--serial", std::to_string(lossless),
                                               fixture.folder.file("no/such/pic"), "--preserve"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err,
            "orvane-cli: the preserved form of serial " + std::to_string(lossless) + " could not be written\n");
}

TEST(SaveObjectVerb, CopiesOneImageOrSoundUnderANormalisedName) {
  ExtractFixture fixture;
  const std::int32_t sound = fixture.serialOf(8);
  const std::int32_t image = fixture.serialOf(2);
  ASSERT_GT(sound, 0);
  ASSERT_GT(image, 0);
  const test::CliOutcome saved =
      fixture.run({"save-object", fixture.movie, "--serial", std::to_string(sound), fixture.folder.file("song.doc")});
  EXPECT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.out, fixture.folder.file("song.mp3") + "\n");
  EXPECT_EQ(test::readFile(fixture.folder.file("song.mp3")), (Bytes{0xFF, 0xFB, 0x90, 0x44, 0, 0}));

  const test::CliOutcome picture =
      fixture.run({"save-object", fixture.movie, "--serial", std::to_string(image), fixture.folder.file("pic")});
  EXPECT_EQ(picture.out, fixture.folder.file("pic.jpg") + "\n");
  EXPECT_TRUE(test::decodeJpeg(test::readFile(fixture.folder.file("pic.jpg"))));

  const test::CliOutcome failed = fixture.run(
      {"save-object", fixture.movie, "--serial", std::to_string(image), fixture.folder.file("no/such/pic")});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.messages, (std::vector<std::string>{"Error Coping File, Disk Could be Full or Write Protected"}));
  EXPECT_EQ(fixture.run({"save-object", fixture.movie, "--serial", "999", "x"}).status, 1);
  EXPECT_EQ(fixture.run({"save-object", fixture.movie, "x"}).status, 2);
}

TEST(WriteActionsVerb, WritesAFrameActionOrAButton) {
  ExtractFixture fixture;
  const std::int32_t button = fixture.serialOf(10);
  ASSERT_GT(button, 0);
  const test::CliOutcome written = fixture.run({"write-actions", fixture.movie, "--serial", std::to_string(button),
                                                fixture.folder.file("button.js"), "--mode", "as4"});
  EXPECT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.out, fixture.folder.file("button.js.txt") + "\n");
  const std::string button4 = text(fixture.folder.file("button.js.txt"));
  EXPECT_NE(button4.find("\non (release) {\n\t"), std::string::npos);

  test::ScanFixture scan;
  ASSERT_EQ(scan.scan(everyKindMovie()), ScanStatus::Success);
  const std::int32_t frameAction = scan.timeline(0).actions.at(0)->serial;
  const test::CliOutcome frame = fixture.run({"write-actions", fixture.movie, "--serial", std::to_string(frameAction),
                                              fixture.folder.file("notes.TXT")});
  EXPECT_EQ(frame.out, fixture.folder.file("notes.TXT") + "\n");
  EXPECT_NE(text(fixture.folder.file("notes.TXT")).find("// Mode : Translate to Action Script, Version 5\n"),
            std::string::npos);

  const test::CliOutcome source = fixture.run({"write-actions", fixture.movie, "--serial", std::to_string(frameAction),
                                               fixture.folder.file("frame"), "--mode", "source"});
  EXPECT_EQ(source.out, fixture.folder.file("frame.as") + "\n");
  EXPECT_EQ(text(fixture.folder.file("frame.as")), "stop();\n");

  const test::CliOutcome unwritable = fixture.run(
      {"write-actions", fixture.movie, "--serial", std::to_string(frameAction), fixture.folder.file("no/x")});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.messages,
            (std::vector<std::string>{"File Write Error: Error writing output file, Disk may be full or write protected"}));
  EXPECT_EQ(fixture.run({"write-actions", fixture.movie, "--serial", std::to_string(fixture.serialOf(2)), "x"}).status, 1);
}

TEST(SoundAndPictureVerbs, DescribeConvertAndDecompress) {
  test::ScratchFolder folder;
  test::writeFile(folder.file("a.mp3"), {0xFF, 0xFB, 0x90, 0x44});
  const test::CliOutcome mp3 = runOrvaneCli({"describe-sound", folder.file("a.mp3")});
  EXPECT_EQ(mp3.status, 0);
  EXPECT_EQ(mp3.out, "Size (bytes)\t4 bytes\nType\tJoint stereo \nFormat\tMP3 MPEG Version 1\nLength\tunknown...\n"
                     "Rate\t128 Kbits\n");
  const test::CliOutcome missing = runOrvaneCli({"describe-sound", folder.file("b.wav")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.messages, (std::vector<std::string>{"Error, File not found or does not exist"}));

  test::writeFile(folder.file("bad.png"), {1, 2, 3});
  const test::CliOutcome convert = runOrvaneCli({"convert", folder.file("bad.png"), folder.file("o.bmp"), "--type", "6"});
  EXPECT_EQ(convert.status, 1);
  EXPECT_EQ(convert.err, "orvane-cli: bad PNG file\n");
  EXPECT_EQ(runOrvaneCli({"convert", "a", "b", "--type", "15"}).status, 2);

  Bytes cws = test::MovieBuilder(6).build();
  const Bytes body = test::zlibCompress(Bytes(cws.begin() + 8, cws.end()));
  cws.resize(8);
  cws[0] = 'C';
  cws.insert(cws.end(), body.begin(), body.begin() + static_cast<std::ptrdiff_t>(body.size() / 2));
  test::writeFile(folder.file("damaged.swf"), cws);
  const test::CliOutcome damaged = runOrvaneCli({"decompress", folder.file("damaged.swf"), folder.file("out.swf")});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_EQ(damaged.err, "orvane-cli: " + folder.file("damaged.swf") +
                             ": The compressed movie is damaged: the file ends inside the zlib stream\n");
  EXPECT_FALSE(test::fileExists(folder.file("out.swf")));
}

TEST(CliHelp, EveryVerbIsListedWithItsOwnHelp) {
  const test::CliOutcome help = runOrvaneCli({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* verb : {"scan", "extract", "save-object", "write-actions", "describe-sound", "convert", "decompress", "compress"}) {
    EXPECT_NE(help.out.find(std::string("\n  ") + verb + " "), std::string::npos) << verb;
    const test::CliOutcome own = runOrvaneCli({verb, "--help"});
    EXPECT_EQ(own.status, 0);
    EXPECT_EQ(own.out.rfind(std::string("usage: orvane-cli ") + verb + " ", 0), 0u) << own.out;
  }
}

}  // namespace
}  // namespace orvane
