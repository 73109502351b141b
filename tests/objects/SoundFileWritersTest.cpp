#include "objects/SoundFileWriters.h"

#include <gtest/gtest.h>

#include "movie/TagWalker.h"
#include "objects/ObjectFileWriters.h"
#include "objects/StreamSoundWriter.h"
#include "platform/MessageSink.h"
#include "tests/objects/ObjectTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes concat(const Bytes& a, const Bytes& b) {
  Bytes out = a;
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

SoundObject soundOf(std::uint32_t format, std::uint32_t rate, std::uint32_t size, std::uint32_t channels,
                    std::uint32_t samples) {
  SoundObject sound;
  sound.format = format;
  sound.sampleRate = rate;
  sound.sampleSize = size;
  sound.channels = channels;
  sound.sampleCount = samples;
  return sound;
}

TEST(SoundFileWriters, PcmWavHasTheFortyFourByteHeader) {
  test::ScratchFolder folder;
  SoundObject sound = soundOf(3, 22050, 16, 2, 2);
  const Bytes data{1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_EQ(WritePcmWav(folder.file("s.wav"), sound, data), ScanStatus::Success);
  const Bytes header{'R', 'I', 'F', 'F', 44, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                     16, 0, 0, 0,                // fmt chunk length
                     1, 0, 2, 0,                 // PCM, 2 channels
                     0x22, 0x56, 0, 0,           // 22050
                     0x88, 0x58, 0x01, 0,        // 88200 bytes per second
                     4, 0, 16, 0,                // block align 4, 16 bits
                     'd', 'a', 't', 'a', 8, 0, 0, 0};
  EXPECT_EQ(test::readFile(folder.file("s.wav")), concat(header, data));
  EXPECT_TRUE(sound.hasFile);
  EXPECT_EQ(sound.tempFilePath, folder.file("s.wav"));

  SoundObject other;
  EXPECT_EQ(WritePcmWav(folder.file("none/s.wav"), other, data), ScanStatus::OpenError);
  EXPECT_FALSE(other.hasFile);
}

TEST(SoundFileWriters, AdpcmWavHoldsTheDecodedSamplesAsUncompressedSound) {
  test::ScratchFolder folder;
  SoundObject sound = soundOf(1, 11025, 8, 1, 5);
  ASSERT_EQ(WriteAdpcmWav(folder.file("s.wav"), sound, Bytes{0x00, 0x40, 0x00, 0x72}), ScanStatus::Success);
  const Bytes file = test::readFile(folder.file("s.wav"));
  ASSERT_EQ(file.size(), 44u + 10u);
  EXPECT_EQ(test::u16At(file, 34), 16);  // bits per sample
  EXPECT_EQ(test::u32At(file, 40), 10u);
  EXPECT_EQ(Bytes(file.begin() + 44, file.end()), (Bytes{0, 1, 10, 1, 253, 0, 2, 1, 253, 0}));
  EXPECT_EQ(sound.format, 0u);
  EXPECT_EQ(sound.sampleSize, 16u);

  // A sample count beyond the data yields the samples the data holds, not a huge file.
  SoundObject greedy = soundOf(1, 11025, 16, 1, 0xFFFFFFFF);
  ASSERT_EQ(WriteAdpcmWav(folder.file("g.wav"), greedy, Bytes{0x00, 0x40, 0x00, 0x72}), ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("g.wav")).size(), 44u + 10u);
}

TEST(SoundFileWriters, Mp3CopyStartsAfterSeekSamples) {
  test::ScratchFolder folder;
  SoundObject sound = soundOf(2, 44100, 16, 2, 1152);
  ASSERT_EQ(CopySoundData(folder.file("s.mp3"), sound, Bytes{0x10, 0x00, 0xFF, 0xFB, 0x90, 0x64}), ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("s.mp3")), (Bytes{0xFF, 0xFB, 0x90, 0x64}));
  EXPECT_TRUE(sound.hasFile);
}

TEST(SoundFileWriters, EventSoundFilesFollowTheScanFlags) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  SoundObject raw = soundOf(0, 8000, 8, 1, 3);
  writers.ExtractDefineSound(raw, Bytes{1, 2, 3}, folder.file("swfextract1"), 0xFFF & ~0x100u);
  EXPECT_FALSE(raw.hasFile);
  writers.ExtractDefineSound(raw, Bytes{1, 2, 3}, folder.file("swfextract1"), 0x100);
  EXPECT_EQ(raw.tempFilePath, folder.file("swfextract1.wav"));

  SoundObject mp3 = soundOf(2, 8000, 16, 1, 3);
  writers.ExtractDefineSound(mp3, Bytes{0, 0, 9}, folder.file("swfextract2"), 0x200);
  EXPECT_EQ(test::readFile(folder.file("swfextract2.mp3")), Bytes{9});

  SoundObject other = soundOf(6, 8000, 16, 1, 3);
  writers.ExtractDefineSound(other, Bytes{0, 0, 9}, folder.file("swfextract3"), 0xFFF);
  EXPECT_FALSE(other.hasFile);
  EXPECT_FALSE(test::fileExists(folder.file("swfextract3.wav")));
}

TEST(StreamSoundWriter, StreamsAreCompletedAtTheNextHeadAndAtTheEndOfTheScan) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  RecordingMessageSink sink;
  ScanResult result;
  TagWalker walker(writers, sink);
  walker.setResult(&result);
  walker.setTempFolder(folder.path());
  test::MovieBuilder movie;
  movie.soundStreamHead(false, 0, false, false, 0, 4)  // raw, 5500, 8-bit mono
      .soundStreamBlock({1, 2, 3})
      .soundStreamBlock({4})
      .soundStreamHead(true, 3, true, true, 2, 1152)  // MP3
      .soundStreamBlock({0x80, 0x04, 0x00, 0x00, 0xFF, 0xFB})
      .soundStreamHead(false, 1, false, false, 1, 5)  // ADPCM, 11000, mono
      .soundStreamBlock({0x00, 0x40, 0x00, 0x72})
      .end();
  ASSERT_EQ(walker.openBytes(movie.build(), "m.swf"), ScanStatus::Success);
  ASSERT_EQ(walker.scan(0xFFF), ScanStatus::Success);

  const Bytes raw = test::readFile(folder.file("swfSextract0.wav"));
  ASSERT_EQ(raw.size(), 48u);
  EXPECT_EQ(Bytes(raw.begin(), raw.begin() + 4), (Bytes{'R', 'I', 'F', 'F'}));
  EXPECT_EQ(test::u32At(raw, 4), 40u);
  EXPECT_EQ(test::u32At(raw, 24), 5500u);
  EXPECT_EQ(test::u16At(raw, 34), 8);
  EXPECT_EQ(test::u32At(raw, 40), 4u);
  EXPECT_EQ(Bytes(raw.begin() + 44, raw.end()), (Bytes{1, 2, 3, 4}));

  EXPECT_EQ(test::readFile(folder.file("swfSextract0.mp3")), (Bytes{0xFF, 0xFB}));

  const Bytes adpcm = test::readFile(folder.file("swfSextract1.wav"));
  ASSERT_EQ(adpcm.size(), 54u);
  EXPECT_EQ(test::u32At(adpcm, 4), 46u);
  EXPECT_EQ(test::u16At(adpcm, 34), 16);
  EXPECT_EQ(test::u32At(adpcm, 40), 10u);
  EXPECT_EQ(Bytes(adpcm.begin() + 44, adpcm.end()), (Bytes{0, 1, 10, 1, 253, 0, 2, 1, 253, 0}));
}

TEST(StreamSoundWriter, AllStreamNamesTakenFailsWithOpenError) {
  test::ScratchFolder folder;
  for (std::uint32_t n = 0; n <= kLastStreamFileNumber; ++n) {
    test::writeFile(streamFileName(folder.path(), n, ".wav"), {});
  }
  SoundObject stream = soundOf(0, 5500, 8, 1, 1);
  EXPECT_EQ(beginStreamFile(stream, folder.path()), ScanStatus::OpenError);
  EXPECT_FALSE(stream.hasFile);

  SoundObject mp3 = soundOf(2, 5500, 8, 1, 1);
  ASSERT_EQ(beginStreamFile(mp3, folder.path()), ScanStatus::Success);
  EXPECT_EQ(mp3.tempFilePath, folder.path() + "/swfSextract0.mp3");

  SoundObject other = soundOf(5, 5500, 8, 1, 1);
  EXPECT_EQ(beginStreamFile(other, folder.path()), ScanStatus::Success);
  EXPECT_FALSE(other.hasFile);
}

}  // namespace
}  // namespace orvane
