#include "objects/SoundDescription.h"

#include <gtest/gtest.h>

#include "platform/MessageSink.h"
#include "tests/platform/RecordingLauncher.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

/// A WAV file: "RIFF", length, "WAVE", "fmt " chunk with the given fields, "data" and
/// `dataLength` zero bytes.
test::Bytes waveFile(std::uint16_t formatTag, std::uint16_t channels, std::uint32_t rate,
                     std::uint32_t averageBytesPerSecond, std::uint32_t dataLength) {
  test::ByteWriter rest;
  rest.u8('R').u8('I').u8('F').u8('F').u32(36 + dataLength).u8('W').u8('A').u8('V').u8('E').u8('f').u8('m').u8('t').u8(' ').u32(16);
  rest.u16(formatTag).u16(channels).u32(rate).u32(averageBytesPerSecond).u16(channels).u16(8);
  rest.u8('d').u8('a').u8('t').u8('a').u32(dataLength);
  test::Bytes bytes = rest.take();
  bytes.resize(bytes.size() + dataLength, 0);
  return bytes;
}

SoundDescription describe(const test::ScratchFolder& folder, const std::string& name, const test::Bytes& bytes,
                          bool& described) {
  test::writeFile(folder.file(name), bytes);
  SoundDescription description;
  described = description.load(folder.file(name));
  return description;
}

TEST(SoundDescription, Mp3FrameHeaderGivesVersionRateAndChannels) {
  test::ScratchFolder folder;
  bool described = false;
  const SoundDescription mp3 = describe(folder, "a.mp3", {0xFF, 0xFB, 0x90, 0x44, 1, 2, 3, 4, 5, 6}, described);
  EXPECT_TRUE(described);
  EXPECT_EQ(mp3.format, "MP3 MPEG Version 1");
  EXPECT_EQ(mp3.rate, "128 Kbits");
  EXPECT_EQ(mp3.type, "Joint stereo ");
  EXPECT_EQ(mp3.size, "10 bytes");
  EXPECT_EQ(mp3.length, "unknown...");
  EXPECT_EQ(mp3.error, "");
  EXPECT_EQ(mp3.lines(),
            "Size (bytes)\t10 bytes\nType\tJoint stereo \nFormat\tMP3 MPEG Version 1\nLength\tunknown...\n"
            "Rate\t128 Kbits\n");
}

TEST(SoundDescription, Mp3VersionsChannelModesAndBitrateIndexes) {
  struct Row {
    std::uint8_t b1, b2, b3;
    const char* format;
    const char* rate;
    const char* type;
  };
  const Row rows[] = {
      // version bits 4-3 of b1, bitrate index in the high nibble of b2, channel mode in bits 7-6 of b3
      {0xE2, 0x10, 0x00, "MP3 MPEG Version 2.5", "8 Kbits", "Stereo"},
      {0xEA, 0xE0, 0x40, "MP3 reserved", "160 Kbits", "Joint stereo "},
      {0xF2, 0x90, 0x80, "MP3 MPEG Version 2", "80 Kbits", "Dual channel"},
      {0xFA, 0x10, 0xC0, "MP3 MPEG Version 1", "32 Kbits", "Mono"},
      {0xFA, 0xE0, 0xC0, "MP3 MPEG Version 1", "320 Kbits", "Mono"},
      {0xFA, 0x00, 0x00, "MP3 MPEG Version 1", "unknown... Kbits", "Stereo"},
      {0xF2, 0xF0, 0x00, "MP3 MPEG Version 2", "unknown... Kbits", "Stereo"},
  };
  test::ScratchFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.format + std::string(" ") + row.rate);
    bool described = false;
    const SoundDescription mp3 = describe(folder, "b.mp3", {0xFF, row.b1, row.b2, row.b3}, described);
    EXPECT_TRUE(described);
    EXPECT_EQ(mp3.format, row.format);
    EXPECT_EQ(mp3.rate, row.rate);
    EXPECT_EQ(mp3.type, row.type);
    EXPECT_EQ(mp3.size, "4 bytes");
  }
  bool described = true;
  const SoundDescription tooShort = describe(folder, "c.mp3", {0xFF, 0xFB, 0x90}, described);
  EXPECT_FALSE(described);
  EXPECT_EQ(tooShort.format, "unknown...");
}

TEST(SoundDescription, PcmWaveFiles) {
  test::ScratchFolder folder;
  bool described = false;
  // 44 header bytes + 22050 data bytes at 11025 bytes per second: 2 whole seconds.
  const SoundDescription mono = describe(folder, "m.wav", waveFile(1, 1, 11025, 11025, 22050), described);
  EXPECT_TRUE(described);
  EXPECT_EQ(mono.lines(),
            "Size (bytes)\t22094 bytes\nType\tMono\nFormat\tPCM\nLength\t2 sec\nRate\t11025 Samples per sec\n");
  EXPECT_EQ(mono.error, "");

  const SoundDescription stereo = describe(folder, "s.wav", waveFile(1, 2, 44100, 176400, 100), described);
  EXPECT_TRUE(described);
  EXPECT_EQ(stereo.type, "Stereo");
  EXPECT_EQ(stereo.length, "0 sec");  // shorter than one second's bytes
  EXPECT_EQ(stereo.rate, "44100 Samples per sec");

  const SoundDescription noRate = describe(folder, "z.wav", waveFile(1, 1, 8000, 0, 500), described);
  EXPECT_TRUE(described);
  EXPECT_EQ(noRate.length, "0 sec");
}

TEST(SoundDescription, NonPcmAndTruncatedWaveFilesAreInvalid) {
  test::ScratchFolder folder;
  for (const test::Bytes& bytes : {waveFile(2, 1, 11025, 5512, 10), test::Bytes{'R', 'I', 'F', 'F', 0, 0}}) {
    bool described = true;
    const SoundDescription wave = describe(folder, "x.wav", bytes, described);
    EXPECT_FALSE(described);
    for (const std::string& text : {wave.size, wave.type, wave.format, wave.length, wave.rate, wave.error})
      EXPECT_EQ(text, "Invalid Format...");
  }
}

TEST(SoundDescription, MissingFileAndOtherExtensions) {
  test::ScratchFolder folder;
  for (const std::string& path : {folder.file("none.wav"), folder.file("none.mp3"), std::string()}) {
    SoundDescription missing;
    EXPECT_FALSE(missing.load(path));
    EXPECT_EQ(missing.error, "Error, File not found or does not exist");
    EXPECT_EQ(missing.lines(),
              "Size (bytes)\tunknown...\nType\tunknown...\nFormat\tunknown...\nLength\tunknown...\nRate\tunknown...\n");
  }
  // The extension is compared exactly: an upper-case one is not described.
  test::writeFile(folder.file("loud.MP3"), {0xFF, 0xFB, 0x90, 0x44});
  SoundDescription upper;
  EXPECT_FALSE(upper.load(folder.file("loud.MP3")));
  EXPECT_EQ(upper.format, "unknown...");
  EXPECT_EQ(upper.error, "");
}

TEST(SoundDescription, PlayHandsMp3FilesToTheExternalPlayer) {
  RecordingMessageSink sink;
  test::RecordingLauncher launcher;
  EXPECT_EQ(playSound("/sounds/a b.mp3", sink, launcher), PlayRoute::ExternalPlayer);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, "This is an MP3 file and an extrenal play must be used.");
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0], (std::vector<std::string>{"xdg-open", "/sounds/a b.mp3"}));

  sink.clear();
  EXPECT_EQ(playSound("/sounds/a.wav", sink, launcher), PlayRoute::WavePlayer);
  EXPECT_EQ(playSound("x", sink, launcher), PlayRoute::None);
  EXPECT_TRUE(sink.messages().empty());
  EXPECT_EQ(launcher.started.size(), 1u);
}

TEST(SoundDescription, ExternalPlayerFallsBackToTheDefaultApplication) {
  test::ScratchFolder folder;
  test::writeFile(folder.file("player.desktop"),
                  {'[', 'D', 'e', 's', 'k', 't', 'o', 'p', ' ', 'E', 'n', 't', 'r', 'y', ']', '\n', 'E', 'x', 'e',
                   'c', '=', 'p', 'l', 'a', 'y', ' ', '%', 'U', '\n'});
  test::RecordingLauncher launcher;
  launcher.startSucceeds = false;  // nothing can be started
  EXPECT_FALSE(openInExternalPlayer("/s/a.mp3", launcher, {folder.path()}));
  ASSERT_EQ(launcher.started.size(), 1u);  // no default application is known
  EXPECT_EQ(launcher.started[0][0], "xdg-open");

  launcher.answers[{"xdg-mime", "query", "default", "audio/mpeg"}] = "player.desktop\n";
  EXPECT_FALSE(openInExternalPlayer("/s/a.mp3", launcher, {folder.path()}));
  ASSERT_EQ(launcher.started.size(), 3u);
  EXPECT_EQ(launcher.started[2], (std::vector<std::string>{"play", "/s/a.mp3"}));

  launcher.startSucceeds = true;  // the desktop's opener takes it: no fallback
  EXPECT_TRUE(openInExternalPlayer("/s/a.mp3", launcher, {folder.path()}));
  EXPECT_EQ(launcher.started.size(), 4u);
}

}  // namespace
}  // namespace orvane
