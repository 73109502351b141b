#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "movie/MoviePanels.h"
#include "shell/CAudioFrameWnd.h"
#include "shell/CImageFrameWnd.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

using test::Bytes;

/// A zlib stream (qCompress puts the uncompressed length in front of it).
Bytes zlibBytes(const Bytes& data) {
  const QByteArray compressed =
      qCompress(QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())));
  return {compressed.begin() + 4, compressed.end()};
}

/// One 2 x 2 lossless image (id 7) and one 8-bit mono PCM event sound (id 8).
std::string imageAndSoundMovie(const test::ScratchFolder& folder) {
  Bytes pixels;
  for (int i = 0; i < 4; ++i) pixels.insert(pixels.end(), {0xFF, 0x10, 0x20, 0x30});
  test::MovieBuilder movie(5);
  movie.defineBitsLossless(false, 7, 5, 2, 2, 0, zlibBytes(pixels))
      .defineSound(8, 0, 1, false, false, 4, {0x80, 0x90, 0xA0, 0xB0})
      .showFrame()
      .end();
  const std::string path = folder.file("movie.swf");
  test::writeFile(path, movie.build());
  return path;
}

int firstSerial(const CMainFrame& frame, bool image) {
  const TimelineNode& main = *frame.scanResult().firstTimeline();
  return image ? main.images.front()->serial : main.sounds.front()->serial;
}

TEST(CMainFrame, ImageWindowsReplaceTheirPictureAndTheMovieIsScannedAgain) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  frame.openMovie(imageAndSoundMovie(fixture.temp));
  ASSERT_TRUE(frame.movieLoaded());
  EXPECT_FALSE(frame.command(cmd::kReplaceImage)->isEnabled());

  const int serial = firstSerial(frame, true);
  frame.changeView(viewkind::kImage, serial);
  frame.changeView(viewkind::kImage, serial);  // activates the open window
  ASSERT_EQ(frame.mdiArea()->subWindowList().size(), 1);
  ASSERT_NE(dynamic_cast<CImageFrameWnd*>(frame.activeObjectWindow()), nullptr);
  EXPECT_TRUE(frame.command(cmd::kReplaceImage)->isEnabled());
  EXPECT_TRUE(frame.command(cmd::kExtractObject)->isEnabled());

  QImage picture(5, 3, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  const std::string picturePath = fixture.temp.file("new.png");
  ASSERT_TRUE(picture.save(QString::fromStdString(picturePath), "PNG"));
  fixture.prompts.replacementPictures.push_back(picturePath);
  frame.command(cmd::kReplaceImage)->trigger();
  ASSERT_EQ(fixture.prompts.replacementOriginals.size(), 1U);

  // The rescan closes the image window and shows the new picture's tag.
  QTRY_VERIFY_WITH_TIMEOUT(frame.mdiArea()->subWindowList().isEmpty(), 5000);
  ASSERT_TRUE(frame.movieLoaded());
  const TimelineNode& main = *frame.scanResult().firstTimeline();
  ASSERT_EQ(main.images.size(), 1U);
  EXPECT_EQ(main.images.front()->typeName, "DefineBitsJPEG2");
  EXPECT_EQ(main.images.front()->characterId, 7);
  EXPECT_FALSE(frame.command(cmd::kReplaceImage)->isEnabled());
}

TEST(CMainFrame, SoundWindowsOpenOnceAndSaveThroughExtractObject) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  frame.openMovie(imageAndSoundMovie(fixture.temp));
  const int serial = firstSerial(frame, false);
  frame.changeView(viewkind::kSound, serial);
  frame.changeView(viewkind::kSound, serial);
  ASSERT_EQ(frame.mdiArea()->subWindowList().size(), 1);
  ASSERT_NE(dynamic_cast<CAudioFrameWnd*>(frame.activeObjectWindow()), nullptr);
  EXPECT_FALSE(frame.command(cmd::kReplaceImage)->isEnabled());

  fixture.prompts.savePaths.push_back(fixture.temp.file("clip.doc"));
  frame.command(cmd::kExtractObject)->trigger();
  EXPECT_TRUE(test::fileExists(fixture.temp.file("clip.wav")));
  EXPECT_FALSE(test::fileExists(fixture.temp.file("clip.doc")));

  frame.changeView(262, serial);  // kind 262 opens nothing
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 1);
}

}  // namespace
}  // namespace orvane
