#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "movie/MoviePanels.h"
#include "shell/CActionFrameWnd.h"
#include "shell/CActionView.h"
#include "shell/CFileChangedBar.h"
#include "shell/CSearchResultsPanel.h"
#include "tests/search/SearchMovie.h"
#include "tests/shell/ShellTestSupport.h"

namespace orvane {
namespace {

std::string writeMovie(const test::ScratchFolder& folder, const test::Bytes& bytes, const char* name = "movie.swf") {
  const std::string path = folder.file(name);
  test::writeFile(path, bytes);
  return path;
}

/// Runs the panel's search to its end.
void search(CSearchResultsPanel& panel, const QString& pattern) {
  QSignalSpy finished(&panel, &CSearchResultsPanel::searchFinished);
  panel.patternField()->setText(pattern);
  panel.start();
  ASSERT_TRUE(finished.wait(10000));
}

TEST(FindInMovie, HitsOfFrameActionsButtonsAndClipsOpenTheirWindowAtTheLine) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  frame.openMovie(writeMovie(fixture.temp, test::scoreMovie()));
  ASSERT_TRUE(frame.movieLoaded());
  QDockWidget* dock = frame.dock(cmd::kSearchResults);
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(dock->windowTitle(), QStringLiteral("Search Results"));
  EXPECT_TRUE(dock->isHidden());
  frame.command(cmd::kFindInMovie)->trigger();
  EXPECT_FALSE(dock->isHidden());

  CSearchResultsPanel& panel = *frame.searchPanel();
  EXPECT_EQ(panel.modeBox()->currentText(), QString::fromLatin1(modeMenuText(TranslationMode::Source)));
  panel.modeBox()->setCurrentIndex(panel.modeBox()->findText(QStringLiteral("Action Script V5")));
  search(panel, QStringLiteral("score"));
  const TimelineNode& main = *frame.scanResult().firstTimeline();
  QListWidget& hits = *panel.hitList();
  ASSERT_EQ(hits.count(), 3);
  EXPECT_EQ(hits.item(0)->text().toStdString(), main.actions[0]->describe(false) + " : 11 : score = \"5\";");
  EXPECT_EQ(hits.item(1)->text().toStdString(), main.buttons[0]->describe(false) + " : 7 : \tscore = \"0\";");
  EXPECT_EQ(hits.item(2)->text(), QStringLiteral("Sprite Instance ball  : 7 : \tscore = \"9\";"));
  EXPECT_EQ(panel.statusLabel()->text(), QStringLiteral("3 hits"));

  // A double click opens the button's window on line 7 with the match selected.
  emit hits.itemActivated(hits.item(1));
  CActionFrameWnd* window = frame.activeActionWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->titleText(), main.buttons[0]->describe(false));
  EXPECT_EQ(window->view()->textCursor().blockNumber(), 6);
  EXPECT_EQ(window->view()->textCursor().selectedText(), QStringLiteral("score"));
  EXPECT_EQ(window->view()->textCursor().selectionStart() - window->view()->textCursor().block().position(), 1);

  // The hit's mode comes along: a window showing another mode switches to it.
  emit hits.itemActivated(hits.item(0));
  window = frame.activeActionWindow();
  ASSERT_NE(window, nullptr);
  window->runCommand(cmd::kByteCodeHex);
  emit hits.itemActivated(hits.item(0));
  EXPECT_EQ(window->mode(), TranslationMode::ActionScript5);
  EXPECT_EQ(window->view()->textCursor().blockNumber(), 10);
  EXPECT_EQ(window->view()->textCursor().selectedText(), QStringLiteral("score"));

  // A bad pattern says why; the mode box reads another text.
  panel.regexBox()->setChecked(true);
  panel.patternField()->setText(QStringLiteral("(score"));
  panel.start();
  EXPECT_EQ(panel.statusLabel()->text(), QStringLiteral("Bad pattern: Unmatched ( or \\("));
  EXPECT_EQ(hits.count(), 0);
  panel.regexBox()->setChecked(false);
  panel.modeBox()->setCurrentIndex(panel.modeBox()->findText(QStringLiteral("Action Script V4")));
  search(panel, QStringLiteral("Stop()"));
  ASSERT_EQ(hits.count(), 1);
  EXPECT_TRUE(hits.item(0)->text().endsWith(QStringLiteral(" : 12 : Stop()")));

  // A new scan empties the list: its hits point into the old one.
  frame.command(cmd::kRescan)->trigger();
  EXPECT_EQ(hits.count(), 0);
}

TEST(FindInMovie, ASearchCanBeCancelledMidway) {
  constexpr int kFrames = 1500;
  test::MovieBuilder movie(5);
  movie.frameCount(kFrames);
  for (int i = 0; i < kFrames; ++i) {
    movie.doAction(test::join({test::push({test::str("score"), test::i32(i)}), {0x1D, 0x00}})).showFrame();
  }
  movie.end();
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  frame.openMovie(writeMovie(fixture.temp, movie.build()));
  CSearchResultsPanel& panel = *frame.searchPanel();
  QSignalSpy finished(&panel, &CSearchResultsPanel::searchFinished);
  panel.patternField()->setText(QStringLiteral("score"));
  panel.start();
  EXPECT_TRUE(panel.running());
  EXPECT_TRUE(panel.cancelButton()->isEnabled());
  panel.cancelButton()->click();
  EXPECT_FALSE(panel.running());
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_LT(panel.hitList()->count(), kFrames);
  EXPECT_TRUE(panel.statusLabel()->text().endsWith(QStringLiteral(" (cancelled)")));
  EXPECT_FALSE(panel.cancelButton()->isEnabled());
}

void drop(CMainFrame& frame, QMimeData& data, bool& accepted) {
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&frame, &enter);
  accepted = enter.isAccepted();
  if (!accepted) return;
  QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&frame, &dropped);
  QApplication::processEvents();
}

TEST(CMainFrame, ADroppedMovieOpensAndOtherDragsAreRefused) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  const std::string path = writeMovie(fixture.temp, test::scoreMovie(), "dropped.swf");
  bool accepted = false;
  QMimeData text;
  text.setText(QStringLiteral("not a file"));
  drop(frame, text, accepted);
  EXPECT_FALSE(accepted);
  QMimeData two;
  two.setUrls({QUrl::fromLocalFile(QString::fromStdString(path)), QUrl::fromLocalFile(QStringLiteral("/tmp/x.swf"))});
  drop(frame, two, accepted);
  EXPECT_FALSE(accepted);

  QMimeData file;
  file.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  drop(frame, file, accepted);
  EXPECT_TRUE(accepted);
  EXPECT_EQ(frame.currentPath(), path);
  EXPECT_TRUE(frame.movieLoaded());

  // A projector goes through its dialog, as from File Open.
  const std::string projector = writeMovie(fixture.temp, {'M', 'Z'}, "game.exe");
  file.setUrls({QUrl::fromLocalFile(QString::fromStdString(projector))});
  drop(frame, file, accepted);
  ASSERT_EQ(fixture.prompts.projectorRuns.size(), 1u);
  EXPECT_EQ(fixture.prompts.projectorRuns[0], projector);
}

TEST(CMainFrame, AMovieChangedOnDiskOffersAReload) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  const std::string path = writeMovie(fixture.temp, test::scoreMovie());
  frame.openMovie(path);
  CFileChangedBar& bar = *frame.fileChangedBar();
  bar.check();
  EXPECT_TRUE(bar.isHidden());

  // Another movie with two frame actions replaces it, a second later by its clock.
  test::MovieBuilder other(5);
  other.doAction({0x07, 0x00}).doAction({0x06, 0x00}).showFrame().end();
  test::writeFile(path, other.build());
  std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(1));
  bar.check();
  EXPECT_FALSE(bar.isHidden());
  EXPECT_EQ(frame.scanResult().firstTimeline()->actions.size(), 1u);
  bar.reloadButton()->click();
  EXPECT_TRUE(bar.isHidden());
  EXPECT_EQ(frame.scanResult().firstTimeline()->actions.size(), 2u);
  bar.check();
  EXPECT_TRUE(bar.isHidden());
}

}  // namespace
}  // namespace orvane
