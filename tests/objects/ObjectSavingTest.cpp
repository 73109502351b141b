#include "objects/ObjectSaving.h"

#include <gtest/gtest.h>

#include "objects/ActionTextWriter.h"
#include "platform/MessageSink.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

TEST(ObjectSaving, ChosenNamesTakeTheObjectsExtension) {
  const std::vector<std::string> known = {".wav", ".jpg", ".mp3"};
  EXPECT_EQ(normaliseChosenName("clip", ".wav", known), "clip.wav");
  EXPECT_EQ(normaliseChosenName("clip.doc", ".wav", known), "clip.wav");
  EXPECT_EQ(normaliseChosenName("clip.mp3", ".wav", known), "clip.mp3");
  EXPECT_EQ(normaliseChosenName("CLIP.JPG", ".wav", known), "CLIP.JPG");
  EXPECT_EQ(normaliseChosenName("dir.v2/clip", ".jpg", known), "dir.v2/clip.jpg");
  EXPECT_EQ(normaliseChosenName("x", ".wav", known), "x");  // one character is kept as chosen
  EXPECT_EQ(normaliseChosenName("ab", ".wav", known), "ab.wav");

  EXPECT_EQ(normaliseActionTextName("notes.TXT"), "notes.TXT");
  EXPECT_EQ(normaliseActionTextName("a.js"), "a.js.txt");  // ".js" is no three-letter extension
  EXPECT_EQ(normaliseActionTextName("clip"), "clip.txt");
  EXPECT_EQ(normaliseActionTextName("clip.doc"), "clip.txt");
  EXPECT_EQ(normaliseActionTextName("clip.mp3"), "clip.txt");

  EXPECT_EQ(objectFileExtension("/tmp/orvane/swfextract12.WAV"), ".wav");
  EXPECT_EQ(objectFileFilter(".wav"), "Object Type (.wav)|*.wav|");
}

TEST(ObjectSaving, CopiesTheObjectFileReplacingAnExistingFile) {
  test::ScratchFolder folder;
  const std::string temp = folder.file("swfSextract4.mp3");
  test::writeFile(temp, {0xFF, 0xFB, 0x90, 0x44, 7});
  test::writeFile(folder.file("song.mp3"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  RecordingMessageSink sink;
  EXPECT_EQ(SaveObjectFile(temp, folder.file("song.doc"), ObjectWindow::Sound, sink), folder.file("song.mp3"));
  EXPECT_EQ(test::readFile(folder.file("song.mp3")), test::readFile(temp));
  EXPECT_TRUE(sink.messages().empty());

  // Saving the object file onto itself keeps it whole.
  EXPECT_EQ(SaveObjectFile(temp, temp, ObjectWindow::Sound, sink), temp);
  EXPECT_EQ(test::readFile(temp), (std::vector<std::uint8_t>{0xFF, 0xFB, 0x90, 0x44, 7}));
}

TEST(ObjectSaving, FailedCopiesShowTheWindowsMessage) {
  test::ScratchFolder folder;
  const std::string temp = folder.file("swfextract2.jpg");
  test::writeFile(temp, {0xFF, 0xD8, 0xFF, 0xD9});
  RecordingMessageSink sink;
  EXPECT_FALSE(SaveObjectFile(temp, folder.file("missing/x"), ObjectWindow::Image, sink));
  EXPECT_FALSE(SaveObjectFile(temp, folder.file("missing/x"), ObjectWindow::Sound, sink));
  EXPECT_FALSE(SaveObjectFile(folder.file("gone.wav"), folder.file("y"), ObjectWindow::Sound, sink));
  ASSERT_EQ(sink.messages().size(), 3u);
  EXPECT_EQ(sink.messages()[0].text, "Error Coping File, Disk Could be Full or Write Protected");
  EXPECT_EQ(sink.messages()[1].text, "Error Coping File");
  EXPECT_EQ(sink.messages()[2].text, "Error Coping File");
  EXPECT_FALSE(test::fileExists(folder.file("y.wav")));
}

}  // namespace
}  // namespace orvane
