// The preview panel with the real web player: frame count read by the player, the frame
// number while playing, stepping and stopping, and the line shown without a player.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QWebEnginePage>
#include <filesystem>
#include <optional>

#include "shell/CMoviePreviewPanel.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane::test {
namespace {

constexpr int kStartTimeoutMs = 60000;  // the first page starts the browser processes
constexpr std::uint8_t kActionStop = 0x07;

/// A movie of `frames` empty frames at 12 frames per second; with `stopAt` >= 0 the frame
/// of that index stops the movie.
std::string writeMovie(const ScratchFolder& folder, int frames, int stopAt = -1) {
  MovieBuilder movie(6);
  movie.frameRate(0x0C00).frameCount(static_cast<std::uint16_t>(frames));
  for (int frame = 0; frame < frames; ++frame) {
    if (frame == stopAt) movie.doAction({kActionStop, 0x00});
    movie.showFrame();
  }
  movie.end();
  const std::string path = folder.file("preview.swf");
  writeFile(path, movie.build());
  return path;
}

struct PreviewFixture {
  PreviewFixture() {
    panel.resize(320, 260);
    panel.show();
  }

  /// Loads and waits until the player has read the movie; -1 when it fails or times out.
  int loadAndWait(const std::string& path) {
    QSignalSpy loaded(&panel, &CMoviePreviewPanel::movieLoaded);
    panel.load(path, 1000 / 12);
    const bool settled =
        QTest::qWaitFor([&] { return !loaded.isEmpty() || panel.stateLine().startsWith("error"); }, kStartTimeoutMs);
    return (!settled || loaded.isEmpty()) ? -1 : loaded.takeFirst().at(0).toInt();
  }

  /// The HTTP-like status the page gets for `url` (0 or -1 when the request fails).
  int statusOf(const QString& url) {
    const QString script = QStringLiteral(
                               "(function () { const r = new XMLHttpRequest(); r.open('GET', '%1', false);"
                               " try { r.send(); return r.status; } catch (e) { return -1; } })()")
                               .arg(url);
    std::optional<int> status;
    panel.page()->runJavaScript(script, [&status](const QVariant& value) { status = value.toInt(); });
    return QTest::qWaitFor([&] { return status.has_value(); }, 10000) ? *status : -2;
  }

  void click(CMoviePreviewPanel::Button id) { panel.button(id)->click(); }

  QApplication& application = qtApplication();
  ScratchFolder folder;
  CMoviePreviewPanel panel;
};

TEST(MoviePreviewPanel, ButtonsAndFrameFieldBeforeAnyMovie) {
  PreviewFixture fixture;
  CMoviePreviewPanel& panel = fixture.panel;
  EXPECT_EQ(panel.frameText(), "0");
  const std::pair<CMoviePreviewPanel::Button, const char*> tips[] = {
      {CMoviePreviewPanel::kRewind, "Rewind"}, {CMoviePreviewPanel::kBack, "Back"},
      {CMoviePreviewPanel::kStop, "Stop"},     {CMoviePreviewPanel::kPlay, "Play"},
      {CMoviePreviewPanel::kForward, "Play"},  {CMoviePreviewPanel::kClear, "Clear"}};
  int x = 5;
  for (const auto& [id, tip] : tips) {
    QAbstractButton* button = panel.button(id);
    EXPECT_EQ(button->toolTip(), tip);
    EXPECT_EQ(button->geometry(), QRect(x, 260 - 50, 16, 16)) << tip;
    x += 18;
  }
  // Without a movie the buttons change nothing and start no browser.
  for (const auto& [id, tip] : tips) fixture.click(id);
  EXPECT_EQ(panel.frameText(), "0");
  EXPECT_FALSE(panel.playerReady());
  EXPECT_TRUE(panel.stateLine().isEmpty());
}

TEST(MoviePreviewPanel, PlaysStepsStopsAndClearsAMovie) {
  PreviewFixture fixture;
  CMoviePreviewPanel& panel = fixture.panel;
  // Hidden, the panel only remembers the movie; shown, it starts the player with it.
  panel.hide();
  QSignalSpy loaded(&panel, &CMoviePreviewPanel::movieLoaded);
  panel.load(writeMovie(fixture.folder, 40), 1000 / 12);
  QTest::qWait(200);
  EXPECT_EQ(panel.page(), nullptr);
  EXPECT_TRUE(loaded.isEmpty());
  panel.show();
  ASSERT_TRUE(loaded.wait(kStartTimeoutMs)) << panel.stateLine().toStdString();
  EXPECT_EQ(loaded.takeFirst().at(0).toInt(), 40);
  EXPECT_TRUE(panel.playerReady());
  EXPECT_EQ(panel.stateLine(), "loaded 40");
  EXPECT_EQ(panel.frameText(), "0");

  fixture.click(CMoviePreviewPanel::kPlay);
  QTRY_VERIFY_WITH_TIMEOUT(panel.frameText().toInt() >= 3, 10000);
  fixture.click(CMoviePreviewPanel::kStop);
  const QString stopped = panel.frameText();
  QTest::qWait(400);
  EXPECT_EQ(panel.frameText(), stopped);

  fixture.click(CMoviePreviewPanel::kRewind);
  EXPECT_EQ(panel.frameText(), "0");
  fixture.click(CMoviePreviewPanel::kBack);  // already on the first frame
  EXPECT_EQ(panel.frameText(), "0");
  fixture.click(CMoviePreviewPanel::kForward);
  fixture.click(CMoviePreviewPanel::kForward);
  EXPECT_EQ(panel.frameText(), "2");
  fixture.click(CMoviePreviewPanel::kBack);
  EXPECT_EQ(panel.frameText(), "1");

  fixture.click(CMoviePreviewPanel::kClear);
  EXPECT_EQ(panel.frameText(), "0");
  QTRY_COMPARE_WITH_TIMEOUT(panel.stateLine(), QString("empty"), 10000);
  fixture.click(CMoviePreviewPanel::kPlay);  // nothing to play any more
  QTest::qWait(300);
  EXPECT_EQ(panel.frameText(), "0");

  // A second movie in the same page; clear() is what the main window calls.
  ASSERT_EQ(fixture.loadAndWait(writeMovie(fixture.folder, 7)), 7);
  fixture.click(CMoviePreviewPanel::kForward);
  EXPECT_EQ(panel.frameText(), "1");
  panel.clear();
  EXPECT_EQ(panel.frameText(), "0");
}

TEST(MoviePreviewPanel, FrameCounterStopsWhenTheMovieStopsItself) {
  PreviewFixture fixture;
  CMoviePreviewPanel& panel = fixture.panel;
  ASSERT_EQ(fixture.loadAndWait(writeMovie(fixture.folder, 30, 4)), 30) << panel.stateLine().toStdString();
  fixture.click(CMoviePreviewPanel::kPlay);
  QTRY_VERIFY_WITH_TIMEOUT(panel.frameText().toInt() >= 1, 10000);
  // The stop action on frame 4 halts the player; the counter follows within a tick or two
  // and then stays (a running counter changes seven times in 600 ms).
  QString settled;
  bool stays = false;
  QElapsedTimer clock;
  clock.start();
  while (!stays && clock.elapsed() < 15000) {
    settled = panel.frameText();
    QTest::qWait(600);
    stays = panel.frameText() == settled;
  }
  ASSERT_TRUE(stays) << "the counter still runs at " << panel.frameText().toStdString();
  // The counter only approximates the player's frame (a loaded machine delays the one or
  // the other), but it must stop well before the end of the movie.
  EXPECT_LT(settled.toInt(), 20);
}

TEST(MoviePreviewPanel, PageReachesOnlyThePlayerFilesAndTheCurrentMovie) {
  PreviewFixture fixture;
  writeFile(fixture.folder.file("secret.txt"), {'s'});
  ASSERT_EQ(fixture.loadAndWait(writeMovie(fixture.folder, 2)), 2);
  const QString base = QStringLiteral("orvane-player://player/");
  EXPECT_EQ(fixture.statusOf(base + "ruffle/ruffle.js"), 200);
  EXPECT_EQ(fixture.statusOf(base + "movie/any.swf"), 200);
  const QString secret = QString::fromStdString(fixture.folder.file("secret.txt"));
  for (const QString& path : {QString("ruffle/package.json/../../../package.json"), QString("ruffle/..%2Fpackage.json"),
                              QString("ruffle/%2E%2E%2F%2E%2E%2Fplayer%2Fpackage.json"), QString("ruffle/"),
                              "ruffle/" + QString::fromLatin1(QUrl::toPercentEncoding(secret)), QString("secret.txt"),
                              QString("package.json"), QString("index.html/../../package.json")}) {
    EXPECT_LE(fixture.statusOf(base + path), 0) << path.toStdString();
  }
  fixture.panel.clear();
  EXPECT_LE(fixture.statusOf(base + "movie/any.swf"), 0);
}

// A real movie of the sample corpus (86 frames, version 6, by its header).
TEST(MoviePreviewPanel, CorpusMovieReportsItsHeaderFrameCount) {
  const std::string samples = samplesFolder();
  const std::string path = samples + "/gnash/car_smash.fws.swf";
  if (samples.empty() || !std::filesystem::exists(path)) GTEST_SKIP() << "sample corpus not present";
  PreviewFixture fixture;
  ASSERT_EQ(fixture.loadAndWait(path), 86) << fixture.panel.stateLine().toStdString();
  for (int step = 0; step < 3; ++step) fixture.click(CMoviePreviewPanel::kForward);
  EXPECT_EQ(fixture.panel.frameText(), "3");
  fixture.click(CMoviePreviewPanel::kRewind);
  EXPECT_EQ(fixture.panel.frameText(), "0");
}

TEST(MoviePreviewPanel, MissingPlayerFolderShowsOneLine) {
  PreviewFixture fixture;
  qputenv("ORVANE_RUFFLE_DIR", QByteArray::fromStdString(fixture.folder.path()));  // holds no ruffle.js
  fixture.panel.load(writeMovie(fixture.folder, 3), 83);
  qunsetenv("ORVANE_RUFFLE_DIR");
  EXPECT_EQ(fixture.panel.messageText(),
            "Movie preview unavailable: the Ruffle player was not found (set ORVANE_RUFFLE_DIR to its folder)");
  EXPECT_EQ(fixture.panel.frameText(), "0");
  fixture.click(CMoviePreviewPanel::kPlay);
  fixture.click(CMoviePreviewPanel::kForward);
  EXPECT_EQ(fixture.panel.frameText(), "0");
  EXPECT_FALSE(fixture.panel.playerReady());
}

}  // namespace
}  // namespace orvane::test
