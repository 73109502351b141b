#include "objects/ExtractionRun.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "abcsource/AbcTexts.h"
#include "abc/AbcObjects.h"
#include "actions/ActionTranslator.h"
#include "movie/ScanResult.h"
#include "objects/ActionTextWriter.h"
#include "platform/MessageSink.h"
#include "tests/support/AbcBuilder.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

const std::string kScriptFileMode = "Translate To Action Script";

/// A scan result by hand: the main timeline with a picture, a JPEG table without a file,
/// two sounds (one without a file), two frame actions of frame 3 and a button; a sprite
/// timeline with a streaming sound and one frame action.
struct ScannedMovie {
  explicit ScannedMovie(const test::ScratchFolder& temp) {
    TimelineNode& main = *result.addTimeline();
    TimelineNode& sprite = *result.addTimeline();
    sprite.spriteId = 5;

    ImageObject& picture = *main.addImage(1);
    picture.viewable = true;
    picture.tempFilePath = temp.file("swfextract3.jpg");
    test::writeFile(picture.tempFilePath, {0xFF, 0xD8, 0xFF, 0xD9});
    main.addImage(2)->viewable = false;  // the JPEG tables
    SoundObject& wave = *main.addSound(3);
    wave.hasFile = true;
    wave.tempFilePath = temp.file("swfextract4.wav");
    test::writeFile(wave.tempFilePath, {'R', 'I', 'F', 'F'});
    main.addSound(4)->hasFile = false;
    addAction(main, 5, 3, 0);
    addAction(main, 6, 3, 1);
    ButtonObject& button = *main.addButton(7);
    button.frame = 1;
    button.characterId = 7;
    const std::uint8_t stop[] = {0x07, 0x00};
    button.addConditionAction(0x0008, stop, sizeof stop);

    SoundObject& stream = *sprite.addSound(8);
    stream.hasFile = true;
    stream.tempFilePath = temp.file("swfSextract0.mp3");
    test::writeFile(stream.tempFilePath, {0xFF, 0xFB, 0x90, 0x44});
    addAction(sprite, 9, 1, 2);
  }

  static void addAction(TimelineNode& timeline, std::int32_t serial, std::int32_t frame, std::uint16_t id) {
    ActionObject& action = *timeline.addAction(serial);
    action.frame = frame;
    action.characterId = id;
    action.bytes = {0x07, 0x00};
  }

  ScanResult result;
};

std::string translated(const ActionObject& object, TranslationMode mode) {
  RecordingMessageSink ignored;
  ActionTranslator translator(ignored);
  translator.SetSource(&object);
  return translator.Listing(mode, true);
}

TEST(ExtractAllObjects, EveryGroupWithItsReportAndFiles) {
  test::ScratchFolder temp;
  ScannedMovie movie(temp);
  test::ScratchFolder target;
  const std::string d = target.file("out");
  ExtractionSettings settings;
  settings.directory = d;
  RecordingMessageSink sink;
  std::vector<std::pair<std::size_t, std::size_t>> steps;
  const std::string report = ExtractAllObjects(movie.result, settings, sink, [&](std::size_t done, std::size_t total) {
    steps.emplace_back(done, total);
  });

  const std::string main = d + "/Main Movie Stage/";
  const std::string sprite = d + "/Movie Object (ID 1)/";
  const std::string expected =
      "\n Extraction Report\n-----------------------\nExtraction Directory : " + d + " \n"
      "\n- Extracting Images - \n"
      "OK Copied To " + main + "swfextract3.jpg \n"
      "\n- Extracting Sounds - \n"
      "OK Copied To " + main + "swfextract4.wav \n"
      "\n- Exracting Action Scripts - As ActionScript Version 5\n" +
      main + "Action_In_Frame3 tag 0.txtTranslating And Extracing... Success\n" +
      main + "Action_In_Frame3 tag 1.txtTranslating And Extracing... Success\n"
      "\n- Exracting Button Action Scripts - As ActionScript Version 5\n" +
      main + "ButtonAction_In_Frame1 tag 7.txtTranslating And Extracing... Success\n"
      "\n- Extracting Images - \n"
      "\n- Extracting Sounds - \n"
      "OK Copied To " + sprite + "swfSextract0.mp3 \n"
      "\n- Exracting Action Scripts - As ActionScript Version 5\n" +
      sprite + "Action_In_Frame1 tag 2.txtTranslating And Extracing... Success\n"
      "\n- Exracting Button Action Scripts - As ActionScript Version 5\n"
      "\n Finished Extraction";
  EXPECT_EQ(report, expected);
  EXPECT_TRUE(sink.messages().empty());

  const auto text = [](const std::string& path) {
    const std::vector<std::uint8_t> bytes = test::readFile(path);
    return std::string(bytes.begin(), bytes.end());
  };
  EXPECT_EQ(text(d + "/Extraction Report Log.txt"), expected);
  EXPECT_EQ(test::readFile(main + "swfextract3.jpg"), (std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xD9}));
  EXPECT_EQ(test::readFile(main + "swfextract4.wav"), (std::vector<std::uint8_t>{'R', 'I', 'F', 'F'}));
  EXPECT_EQ(test::readFile(sprite + "swfSextract0.mp3"), (std::vector<std::uint8_t>{0xFF, 0xFB, 0x90, 0x44}));
  // Two frame actions of one frame keep apart by their ids.
  const std::string frameText = text(main + "Action_In_Frame3 tag 0.txt");
  EXPECT_EQ(frameText.rfind("// Action Script Translation Engine V1.5.2\n", 0), 0u);
  EXPECT_NE(frameText.find("// Mode : Translate to Action Script, Version 5\n"), std::string::npos);
  EXPECT_EQ(frameText, translated(*movie.result.timelines()[0]->actions[0], TranslationMode::ActionScript5));
  EXPECT_TRUE(test::fileExists(main + "Action_In_Frame3 tag 1.txt"));
  EXPECT_TRUE(test::fileExists(sprite + "Action_In_Frame1 tag 2.txt"));
  const std::string buttonText = text(main + "ButtonAction_In_Frame1 tag 7.txt");
  const std::string head = ActionTranslator::ShortHeaderText(kScriptFileMode) + "\non (release) {\n\t";
  EXPECT_EQ(buttonText.rfind(head, 0), 0u) << buttonText;
  EXPECT_EQ(buttonText.substr(buttonText.size() - 4), "\n}\n\n") << buttonText;

  ASSERT_EQ(steps.size(), 9u);
  EXPECT_EQ(steps.front(), (std::pair<std::size_t, std::size_t>{1, 9}));
  EXPECT_EQ(steps.back(), (std::pair<std::size_t, std::size_t>{9, 9}));
}

TEST(ExtractAllObjects, InitActionsAreWrittenAfterTheFrameActionsOfTheirTimeline) {
  ScanResult result;
  TimelineNode& main = *result.addTimeline();
  ScannedMovie::addAction(main, 1, 0, 0);
  InitActionObject& init = *main.addInitAction(2);
  init.frame = 2;
  init.characterId = 5;
  init.bytes = {0x06, 0x00};
  test::ScratchFolder target;
  ExtractionSettings settings;
  settings.directory = target.path();
  settings.images = settings.sounds = settings.buttons = false;
  RecordingMessageSink sink;
  std::size_t total = 0;
  const std::string report =
      ExtractAllObjects(result, settings, sink, [&](std::size_t, std::size_t all) { total = all; });
  const std::string folder = target.path() + "/Main Movie Stage/";
  EXPECT_EQ(report, "\n Extraction Report\n-----------------------\nExtraction Directory : " + target.path() + " \n"
                    "\n- Exracting Action Scripts - As ActionScript Version 5\n" +
                    folder + "Action_In_Frame0 tag 0.txtTranslating And Extracing... Success\n" +
                    folder + "InitAction_In_Frame2 tag 5.txtTranslating And Extracing... Success\n"
                    "\n Finished Extraction");
  EXPECT_EQ(total, 2u);
  const std::vector<std::uint8_t> bytes = test::readFile(folder + "InitAction_In_Frame2 tag 5.txt");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), translated(init, TranslationMode::ActionScript5));
}

TEST(ExtractAllObjects, ActionScript3ObjectsGoIntoASubFolderOneFileEach) {
  test::AbcWriter odd;  // a class x/y::odd:name*, whose name a file name cannot hold as it is
  odd.u16(16).u16(46).u30(0).u30(0).u30(0).u30(3).string("x/y").string("odd:name*").u30(2).u8(0x16).u30(1).u30(0);
  odd.u30(2).u8(0x07).u30(1).u30(2).u30(1).u30(0).u30(0).u30(0).u8(0).u30(0);
  odd.u30(1).u30(1).u30(0).u8(0x01).u30(0).u30(0).u30(0).u30(0).u30(0).u30(0).u30(0);
  test::MovieBuilder movie(9);
  movie.doAbc(1, "a", test::exampleAbc()).doAbc(1, "b", test::exampleAbc()).doAbc1(odd.data()).end();
  test::ScanFixture scan;
  ASSERT_EQ(scan.scan(movie.build()), ScanStatus::Success);
  collectAbcObjects(scan.result);
  ASSERT_EQ(scan.timeline(0).abcObjects.size(), 5u);

  test::ScratchFolder target;
  ExtractionSettings settings;
  settings.directory = target.path();
  settings.images = settings.sounds = settings.buttons = false;
  RecordingMessageSink sink;
  std::size_t total = 0;
  std::string report =
      ExtractAllObjects(scan.result, settings, sink, [&](std::size_t, std::size_t all) { total = all; });
  const std::string folder = target.path() + "/Main Movie Stage/ActionScript 3/";
  EXPECT_EQ(report, "\n Extraction Report\n-----------------------\nExtraction Directory : " + target.path() + " \n"
                    "\n- Exracting Action Scripts - As ActionScript Version 5\n"
                    "\n- Extracting ActionScript 3 - \n" +
                    folder + "com.example.Foo.txtDisassembling And Extracting... Success\n" +
                    folder + "Script 0.txtDisassembling And Extracting... Success\n" +
                    folder + "com.example.Foo serial 3.txtDisassembling And Extracting... Success\n" +
                    folder + "Script 1.txtDisassembling And Extracting... Success\n" +
                    folder + "x_y.odd_name_.txtDisassembling And Extracting... Success\n"
                    "\n Finished Extraction");
  EXPECT_EQ(total, 5u);
  AbcTexts texts;
  const AbcObject& foo = *scan.timeline(0).abcObjects[2];
  std::vector<std::uint8_t> bytes = test::readFile(folder + "com.example.Foo serial 3.txt");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), texts.windowText(foo, TranslationMode::ActionScript5));

  // Byte code: the bytes of the bodies. Without the actions nothing of it is written.
  settings.mode = ExtractionMode::ByteCode;
  static_cast<void>(ExtractAllObjects(scan.result, settings, sink));
  bytes = test::readFile(folder + "com.example.Foo serial 3.txt");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), texts.windowText(foo, TranslationMode::ByteCodeHex));
  // The source: the timeline's source tree, one file per class in its package's folder.
  settings.mode = ExtractionMode::Source;
  test::ScratchFolder sources;
  settings.directory = sources.path();
  report = ExtractAllObjects(scan.result, settings, sink);
  const std::string src = sources.path() + "/Main Movie Stage/ActionScript 3/src/";
  EXPECT_NE(report.find("\n- Extracting ActionScript 3 - \n" + src + "com/example/Foo.asDecompiling And Extracting... Success\n" +
                        src + "com/example/Foo 2.asDecompiling And Extracting... Success\n" + src +
                        "x$2Fy/odd$3Aname$2A.asDecompiling And Extracting... Success\n"),
            std::string::npos)
      << report;
  bytes = test::readFile(src + "com/example/Foo.as");
  EXPECT_TRUE(std::string(bytes.begin(), bytes.end()).starts_with("package com.example {\n"));

  settings.mode = ExtractionMode::ByteCode;
  settings.actions = false;
  test::ScratchFolder other;
  settings.directory = other.path();
  report = ExtractAllObjects(scan.result, settings, sink);
  EXPECT_EQ(report.find("ActionScript 3"), std::string::npos);
  EXPECT_TRUE(sink.messages().empty());
}

TEST(ExtractAllObjects, OnlySoundsIntoADirectoryEndingInASeparator) {
  test::ScratchFolder temp;
  ScannedMovie movie(temp);
  test::ScratchFolder target;
  ExtractionSettings settings;
  settings.directory = target.path() + "/";
  settings.images = settings.actions = settings.buttons = false;
  RecordingMessageSink sink;
  const std::string report = ExtractAllObjects(movie.result, settings, sink);
  const std::string d = target.path() + "/";
  EXPECT_EQ(report, "\n Extraction Report\n-----------------------\nExtraction Directory : " + d + " \n"
                    "\n- Extracting Sounds - \n"
                    "OK Copied To " + d + "Main Movie Stage/swfextract4.wav \n"
                    "\n- Extracting Sounds - \n"
                    "OK Copied To " + d + "Movie Object (ID 1)/swfSextract0.mp3 \n"
                    "\n Finished Extraction");
  EXPECT_TRUE(test::fileExists(d + "Extraction Report Log.txt"));
  EXPECT_FALSE(test::fileExists(d + "Main Movie Stage/swfextract3.jpg"));
  EXPECT_FALSE(test::fileExists(d + "Main Movie Stage/Action_In_Frame3 tag 0.txt"));
}

TEST(ExtractAllObjects, FilesThatCannotBeWrittenAreReportedAndTheRunGoesOn) {
  test::ScratchFolder temp;
  ScannedMovie movie(temp);
  test::ScratchFolder target;
  // A plain file where the main timeline's folder belongs: nothing can be written into it.
  test::writeFile(target.file("Main Movie Stage"), {1});
  std::filesystem::remove(temp.file("swfSextract0.mp3"));  // and one object file is gone
  ExtractionSettings settings;
  settings.directory = target.path();
  settings.mode = ExtractionMode::ByteCode;
  RecordingMessageSink sink;
  const std::string report = ExtractAllObjects(movie.result, settings, sink);
  const std::string main = target.path() + "/Main Movie Stage/";
  const std::string sprite = target.path() + "/Movie Object (ID 1)/";
  EXPECT_NE(report.find("!-FAILED Copied To " + main + "swfextract3.jpg \n"), std::string::npos);
  EXPECT_NE(report.find("!-FAILED Copied To " + main + "swfextract4.wav \n"), std::string::npos);
  EXPECT_NE(report.find("!-FAILED Copied To " + sprite + "swfSextract0.mp3 \n"), std::string::npos);
  EXPECT_NE(report.find("\n- Exracting Action Scripts - As Byte Code\n" + main +
                        "Action_In_Frame3 tag 0.txtTranslating And Extracing... Failed\n" + main +
                        "Action_In_Frame3 tag 1.txtTranslating And Extracing... Failed\n"),
            std::string::npos);
  EXPECT_NE(report.find(main + "ButtonAction_In_Frame1 tag 7.txtTranslating And Extracing... Failed\n"),
            std::string::npos);
  EXPECT_NE(report.find(sprite + "Action_In_Frame1 tag 2.txtTranslating And Extracing... Success\n"),
            std::string::npos);
  const std::vector<std::uint8_t> bytes = test::readFile(sprite + "Action_In_Frame1 tag 2.txt");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            translated(*movie.result.timelines()[1]->actions[0], TranslationMode::ByteCodeHex));
  // Every text that could not be written also showed its box.
  ASSERT_EQ(sink.messages().size(), 3u);
  for (const Message& message : sink.messages())
    EXPECT_EQ(message, (Message{"File Write Error", "Error writing output file, Disk may be full or write protected",
                                MessageIcon::Error}));
}

TEST(ExtractAllObjects, ReportDialogLines) {
  const std::string report =
      "\n Extraction Report\n-----------------------\nExtraction Directory : d \n\n- Extracting Sounds - \n"
      "\n Finished Extraction";
  EXPECT_EQ(reportDialogLines(report),
            (std::vector<std::string>{" ", " Extraction Report", "-----------------------", "Extraction Directory : d ",
                                      "", "- Extracting Sounds - ", ""}));
  EXPECT_TRUE(reportDialogLines("no line feed").empty());
}

TEST(ActionTextWriter, ModesMessagesAndMissingObjects) {
  test::ScratchFolder folder;
  ActionObject action;
  action.frame = 2;
  action.bytes = {0x07, 0x00};
  RecordingMessageSink sink;
  ASSERT_TRUE(WriteActionText(&action, folder.file("f.txt"), ExtractionMode::InstructionCode, true, sink));
  const std::vector<std::uint8_t> bytes = test::readFile(folder.file("f.txt"));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), translated(action, TranslationMode::FunctionCode));

  EXPECT_FALSE(WriteActionText(&action, folder.file("g.txt"), static_cast<ExtractionMode>(6), false, sink));
  EXPECT_FALSE(WriteActionText(nullptr, folder.file("g.txt"), ExtractionMode::ByteCode, true, sink));
  EXPECT_FALSE(WriteActionText(&action, folder.file("no/g.txt"), ExtractionMode::ByteCode, false, sink));
  ASSERT_EQ(sink.messages().size(), 1u);  // the unknown mode is shown even without errors shown
  EXPECT_EQ(sink.messages()[0].text, "Error, invalid type action");

  sink.clear();
  ButtonObject button;
  button.conditionActions.push_back(nullptr);
  EXPECT_FALSE(WriteButtonActionText(&button, folder.file("b.txt"), ExtractionMode::ActionScript4, false, sink));
  EXPECT_TRUE(sink.messages().empty());
  EXPECT_FALSE(WriteButtonActionText(&button, folder.file("b.txt"), ExtractionMode::ActionScript4, true, sink));
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, "Error, Null pointer referrenced in iteration of button actions");
  EXPECT_FALSE(test::fileExists(folder.file("b.txt")));
  EXPECT_FALSE(WriteButtonActionText(nullptr, folder.file("b.txt"), ExtractionMode::ActionScript4, true, sink));
}

}  // namespace
}  // namespace orvane
