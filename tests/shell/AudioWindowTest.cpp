#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QPushButton>
#include <QTest>

#include "movie/MovieObject.h"
#include "shell/CAudioFrameWnd.h"
#include "shell/CAudioView.h"
#include "shell/Commands.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

using test::Bytes;

/// Starts nothing but keeps every command line it was given, as if it had started.
class RecordingLauncher : public ProgramLauncher {
 public:
  bool start(const std::vector<std::string>& arguments) override {
    started.push_back(arguments);
    return true;
  }
  std::optional<std::string> capture(const std::vector<std::string>&) override { return std::nullopt; }

  std::vector<std::vector<std::string>> started;
};

/// A 16-bit stereo PCM WAV at 22050 samples per second: 88200 average bytes per second,
/// 176400 bytes of silence, 44 + 176400 = 176444 bytes in all.
Bytes pcmWave() {
  test::ByteWriter wave;
  wave.bytes({'R', 'I', 'F', 'F'}).u32(176436).bytes({'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}).u32(16);
  wave.u16(1).u16(2).u32(22050).u32(88200).u16(4).u16(16);  // PCM, channels, rate, bytes/s, align, bits
  wave.bytes({'d', 'a', 't', 'a'}).u32(176400).bytes(Bytes(176400, 0));
  return wave.take();
}

struct SoundFixture {
  SoundFixture() { test::qtApplication(); }

  std::unique_ptr<CAudioFrameWnd> window(const std::string& fileName, const Bytes& bytes, std::uint32_t format) {
    sound.hasFile = !fileName.empty();
    sound.tempFilePath = fileName.empty() ? std::string() : folder.file(fileName);
    sound.format = format;
    if (sound.hasFile) test::writeFile(sound.tempFilePath, bytes);
    return std::make_unique<CAudioFrameWnd>(&sound, "Sound 3", messages, prompts, launcher);
  }

  test::ScratchFolder folder;
  SoundObject sound;
  RecordingMessageSink messages;
  test::ScriptedPrompts prompts;
  RecordingLauncher launcher;
};

void expectValues(const SoundDescription& description, const std::vector<std::string>& values) {
  EXPECT_EQ((std::vector<std::string>{description.size, description.type, description.format, description.length,
                                      description.rate}),
            values);
}

TEST(AudioWindow, DescribesWaveMp3AndMissingFiles) {
  SoundFixture fixture;
  const auto wave = fixture.window("swfSextract1.wav", pcmWave(), 0);
  EXPECT_EQ(wave->windowTitle(), QStringLiteral("Sound 3"));
  expectValues(wave->view()->description(), {"176444 bytes", "Stereo", "PCM", "2 sec", "22050 Samples per sec"});
  EXPECT_EQ(wave->view()->description().error, "");

  Bytes mp3{0xFF, 0xFB, 0x90, 0x44};
  mp3.resize(100, 0);
  const auto mpeg = fixture.window("swfSextract2.mp3", mp3, 2);
  expectValues(mpeg->view()->description(),
               {"100 bytes", "Joint stereo ", "MP3 MPEG Version 1", "unknown...", "128 Kbits"});

  const auto missing = fixture.window("", {}, 0);
  expectValues(missing->view()->description(), {"unknown...", "unknown...", "unknown...", "unknown...", "unknown..."});
  EXPECT_EQ(missing->view()->description().error, "Error, File not found or does not exist");
  EXPECT_TRUE(fixture.messages.messages().empty());

  // An ADPCM sound the scan could not convert says so once.
  const auto adpcm = fixture.window("", {}, 1);
  EXPECT_EQ(fixture.messages.messages(),
            (std::vector<Message>{{"", "This Sound File is ADPCM encoded. Orvane doesn't currently support this format",
                                   MessageIcon::Information}}));
}

TEST(AudioWindow, PaintsBandsSeparatorsAndGreenValues) {
  SoundFixture fixture;
  test::writeFile(fixture.folder.file("a.wav"), pcmWave());
  CAudioView view(fixture.messages, fixture.launcher);
  ASSERT_TRUE(view.load(fixture.folder.file("a.wav")));
  view.resize(300, 260);
  const QImage shot = view.grab().toImage();
  // The top band runs from black on the left to blue (0, 0, 233) on the right.
  EXPECT_EQ(shot.pixel(299, 5), qRgb(0, 0, 233));
  EXPECT_EQ(shot.pixel(200, 5) & 0xFFFF00, 0u);  // blue only
  // The lower band starts at y = 200 in black and ends at the bottom in blue.
  EXPECT_EQ(shot.pixel(299, 259), qRgb(0, 0, 233));
  // Separator lines across the whole width.
  for (const int y : {18, 200, 203}) EXPECT_NE(shot.pixel(150, y), shot.pixel(150, y + 1)) << y;
  // The first value is written in green after its white label.
  int green = 0;
  int white = 0;
  for (int x = 0; x < 300; ++x) {
    for (int y = 20; y < 36; ++y) {
      const QRgb pixel = shot.pixel(x, y);
      if (qGreen(pixel) > 150 && qRed(pixel) < 60 && qBlue(pixel) < 60) ++green;
      if (qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200) ++white;
    }
  }
  EXPECT_GT(green, 20);
  EXPECT_GT(white, 20);
}

TEST(AudioWindow, PlayAndStopSwitchTheButtons) {
  SoundFixture fixture;
  const auto window = fixture.window("swfSextract1.wav", pcmWave(), 0);
  CAudioView* view = window->view();
  QPushButton* play = view->playButton();
  QPushButton* stop = view->stopButton();
  EXPECT_EQ(play->text(), QStringLiteral("Play >"));
  EXPECT_EQ(stop->text(), QStringLiteral("Stop []"));
  EXPECT_EQ(play->geometry(), QRect(5, 180, 50, 20));
  EXPECT_EQ(stop->geometry(), QRect(65, 180, 60, 20));
  EXPECT_TRUE(play->isEnabled());
  EXPECT_FALSE(stop->isEnabled());

  window->runCommand(cmd::kPlay);
  EXPECT_TRUE(view->isPlaying());
  EXPECT_FALSE(play->isEnabled());
  EXPECT_TRUE(stop->isEnabled());
  window->runCommand(cmd::kStop);
  EXPECT_FALSE(view->isPlaying());
  EXPECT_TRUE(play->isEnabled());
  EXPECT_FALSE(stop->isEnabled());

  // The buttons themselves, and the stop() slot other windows may call.
  play->click();
  EXPECT_TRUE(stop->isEnabled());
  stop->click();
  EXPECT_TRUE(play->isEnabled());
  play->click();
  QTest::qWait(100);  // the player loads the file meanwhile; without an audio device it stays silent
  view->stop();
  EXPECT_FALSE(view->isPlaying());
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_TRUE(fixture.messages.messages().empty());
  EXPECT_TRUE(fixture.launcher.started.empty());
}

TEST(AudioWindow, Mp3PlayGoesToTheExternalPlayerAndLeavesTheButtons) {
  SoundFixture fixture;
  const auto window = fixture.window("swfSextract2.mp3", {0xFF, 0xFB, 0x90, 0x44}, 2);
  window->runCommand(cmd::kPlay);
  EXPECT_EQ(
      fixture.messages.messages(),
      (std::vector<Message>{{"", "This is an MP3 file and an extrenal play must be used.", MessageIcon::Information}}));
  EXPECT_EQ(fixture.launcher.started,
            (std::vector<std::vector<std::string>>{{"xdg-open", fixture.sound.tempFilePath}}));
  EXPECT_FALSE(window->view()->isPlaying());
  EXPECT_TRUE(window->view()->playButton()->isEnabled());
  EXPECT_FALSE(window->view()->stopButton()->isEnabled());

  // Without a file, Play does nothing at all.
  const auto missing = fixture.window("", {}, 0);
  missing->runCommand(cmd::kPlay);
  EXPECT_TRUE(missing->view()->playButton()->isEnabled());
  EXPECT_EQ(fixture.messages.messages().size(), 1u);
}

TEST(AudioWindow, SaveAsFileAndTheContextMenu) {
  SoundFixture fixture;
  const auto window = fixture.window("swfSextract1.wav", pcmWave(), 0);
  fixture.prompts.savePaths = {fixture.folder.file("clip"), fixture.folder.file("clip2.doc"),
                               fixture.folder.file("clip3.mp3"), fixture.folder.file("none/clip.wav")};
  for (int i = 0; i < 4; ++i) window->runCommand(cmd::kExtractObject);
  EXPECT_EQ(test::readFile(fixture.folder.file("clip.wav")), pcmWave());
  EXPECT_TRUE(test::fileExists(fixture.folder.file("clip2.wav")));
  EXPECT_TRUE(test::fileExists(fixture.folder.file("clip3.mp3")));
  EXPECT_EQ(fixture.messages.messages(), (std::vector<Message>{{"", "Error Coping File", MessageIcon::Error}}));

  QMenu* menu = window->contextMenu();
  EXPECT_EQ(menu->title(), QStringLiteral("AudioContext"));
  ASSERT_EQ(menu->actions().size(), 3);
  EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Save As File"));
  EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Play Audio"));
  EXPECT_EQ(menu->actions()[2]->text(), QStringLiteral("Stop Audio"));
  menu->actions()[1]->trigger();
  EXPECT_FALSE(window->view()->playButton()->isEnabled());
  menu->actions()[2]->trigger();
  EXPECT_TRUE(window->view()->playButton()->isEnabled());

  window->show();
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(120, 60));
  QApplication::sendEvent(window->view(), &event);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->pos(), QPoint(120, 72));
  menu->hide();
}

}  // namespace
}  // namespace orvane
