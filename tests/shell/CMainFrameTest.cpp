#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTest>
#include <QTextBrowser>
#include <QTextLayout>

#include "actions/ActionTranslator.h"
#include "movie/MoviePanels.h"
#include "shell/ActionTextFile.h"
#include "shell/CActionFrameWnd.h"
#include "shell/CActionView.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "shell/MoviePanelWidgets.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/CompressedMovie.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

using test::Bytes;

constexpr std::uint8_t kPlay = 0x06;
constexpr std::uint8_t kStop = 0x07;

/// Version 5: two frames with actions, a button with actions and a sprite instance with
/// clip actions (onClipEvent load).
Bytes panelMovie() {
  test::TagList sprite;
  sprite.showFrame().end();
  test::MovieBuilder movie(5);
  movie.frameCount(2)
      .doAction({kStop, 0x00})
      .defineButton(3, {kPlay, 0x00})
      .defineSprite(10, 1, sprite)
      .placeObject2(5, 1, 10, "spinner", 0, {test::ClipAction{0x0001, {kPlay, 0x00}}})
      .showFrame()
      .doAction({kPlay, 0x00})
      .showFrame()
      .end();
  return movie.build();
}

std::string writeMovie(const test::ScratchFolder& folder, const Bytes& bytes, const std::string& name = "m.swf") {
  const std::string path = folder.file(name);
  test::writeFile(path, bytes);
  return path;
}

std::vector<std::string> columnTexts(const QTreeWidget* list, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    texts.push_back(list->topLevelItem(row)->text(column).toStdString());
  }
  return texts;
}

QTreeWidgetItem* findItem(QTreeWidget* tree, const QString& text) {
  const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.front();
}

TEST(CMainFrame, OpeningFillsThePanelsWithTheCoreTexts) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  // Before any movie: the empty tree and instance list.
  EXPECT_EQ(columnTexts(frame.objectsPanel()->objectTree(), 0), std::vector<std::string>{"No Movie Objects"});
  EXPECT_EQ(columnTexts(frame.objectsPanel()->instanceList(), 1), std::vector<std::string>{"No Items"});

  const std::string path = writeMovie(fixture.temp, panelMovie());
  frame.openMovie(path);
  EXPECT_TRUE(frame.movieLoaded());
  EXPECT_EQ(frame.statusTitle(), "No Error");
  EXPECT_TRUE(fixture.messages.messages().empty());
  EXPECT_EQ(frame.currentFileField()->text().toStdString(), path);

  std::vector<std::string> properties;
  std::vector<std::string> values;
  for (const PropertyRow& row : moviePropertyRows(frame.scanResult())) {
    properties.push_back(row.property);
    values.push_back(row.value);
  }
  EXPECT_EQ(columnTexts(frame.propertiesPanel(), 0), properties);
  EXPECT_EQ(columnTexts(frame.propertiesPanel(), 1), values);
  EXPECT_EQ(values[1], " 5");
  EXPECT_EQ(values[9], " 2");  // "Actions Count"

  QTreeWidget* tree = frame.objectsPanel()->objectTree();
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree->topLevelItem(0);
  EXPECT_EQ(root->text(0), QStringLiteral("Main Movie Stage"));
  EXPECT_TRUE(root->isExpanded());
  ASSERT_GE(root->childCount(), 2);
  EXPECT_EQ(root->child(0)->text(0), QStringLiteral("Actions (2)"));
  EXPECT_EQ(root->child(1)->text(0), QStringLiteral("Buttons (1)"));

  const QTreeWidget* instances = frame.objectsPanel()->instanceList();
  ASSERT_EQ(instances->topLevelItemCount(), 1);
  EXPECT_EQ(instances->topLevelItem(0)->text(1), QStringLiteral("spinner"));
}

TEST(CMainFrame, OpensACompressedMovieAndSaysSoInTheStatusBar) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  const Bytes movie = panelMovie();
  const auto* pane = frame.findChild<QLabel*>(QStringLiteral("compressionPane"));
  ASSERT_NE(pane, nullptr);

  frame.openMovie(writeMovie(fixture.temp, test::cwsMovie(movie), "packed.swf"));
  EXPECT_TRUE(frame.movieLoaded());
  EXPECT_TRUE(fixture.messages.messages().empty());
  EXPECT_EQ(pane->text(), QStringLiteral("zlib-compressed movie (CWS)"));
  // "File Size" is the length the header declares, not the size of the compressed file.
  EXPECT_EQ(frame.propertiesPanel()->topLevelItem(0)->text(1).toStdString(),
            " " + std::to_string(movie.size()) + " Bytes");
  QTreeWidgetItem* root = frame.objectsPanel()->objectTree()->topLevelItem(0);
  ASSERT_NE(root, nullptr);
  ASSERT_GE(root->childCount(), 2);
  EXPECT_EQ(root->child(0)->text(0), QStringLiteral("Actions (2)"));
  EXPECT_EQ(root->child(1)->text(0), QStringLiteral("Buttons (1)"));
  EXPECT_EQ(frame.objectsPanel()->instanceList()->topLevelItem(0)->text(1), QStringLiteral("spinner"));

  // Damaged: one box that says what is wrong, and nothing loaded.
  Bytes cut = test::cwsMovie(movie);
  cut.resize(cut.size() / 2);
  frame.openMovie(writeMovie(fixture.temp, cut, "cut.swf"));
  ASSERT_EQ(fixture.messages.messages().size(), 1u);
  EXPECT_EQ(fixture.messages.messages()[0].title, "ERROR: An Error Occured");
  EXPECT_EQ(fixture.messages.messages()[0].text,
            "The compressed movie is damaged: the file ends inside the zlib stream");
  EXPECT_FALSE(frame.movieLoaded());
  EXPECT_TRUE(pane->text().isEmpty());

  frame.openMovie(writeMovie(fixture.temp, movie));
  EXPECT_TRUE(frame.movieLoaded());
  EXPECT_TRUE(pane->text().isEmpty());
}

TEST(CMainFrame, SelectingAnObjectOpensOneWindowWithTheTranslatorsText) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  frame.show();
  frame.openMovie(writeMovie(fixture.temp, panelMovie()));
  QTreeWidget* tree = frame.objectsPanel()->objectTree();
  QTreeWidgetItem* actions = findItem(tree, QStringLiteral("Actions (2)"));
  ASSERT_NE(actions, nullptr);

  tree->setCurrentItem(actions->child(0));
  ASSERT_EQ(frame.mdiArea()->subWindowList().size(), 1);
  auto* window = qobject_cast<CActionFrameWnd*>(frame.mdiArea()->subWindowList().front()->widget());
  ASSERT_NE(window, nullptr);
  const int serial = actions->child(0)->data(0, Qt::UserRole).toInt();
  const ActionObject* object = frame.scanResult().findAction(static_cast<std::uint32_t>(serial), true);
  ASSERT_NE(object, nullptr);
  RecordingMessageSink sink;
  // A version 5 movie starts in ActionScript 5.
  EXPECT_EQ(window->mode(), TranslationMode::ActionScript5);
  EXPECT_EQ(window->view()->bytes(), ActionWindowText(object, TranslationMode::ActionScript5, sink));
  EXPECT_EQ(window->windowTitle(), QString::fromStdString(object->describe(false)));

  // Another object, then the first again: two windows, the first brought back.
  tree->setCurrentItem(actions->child(1));
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);
  tree->setCurrentItem(actions->child(0));
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);
  EXPECT_EQ(frame.mdiArea()->activeSubWindow()->widget(), window);

  // Folders and timelines open nothing.
  tree->setCurrentItem(actions);
  tree->setCurrentItem(tree->topLevelItem(0));
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);

  // The instance list opens the clip actions (kind 264) with the condition layout.
  const QTreeWidget* instances = frame.objectsPanel()->instanceList();
  const int instanceId = instances->topLevelItem(0)->text(0).toInt();
  frame.changeView(viewkind::kInstance, instanceId);
  ASSERT_EQ(frame.mdiArea()->subWindowList().size(), 3);
  const InstanceObject* instance = frame.scanResult().findInstance(static_cast<std::uint32_t>(instanceId), true);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(frame.activeActionWindow()->view()->bytes(),
            ActionWindowText(instance, TranslationMode::ActionScript5, sink));

  // Unknown ids and kinds do nothing.
  frame.changeView(viewkind::kAction, 9999);
  frame.changeView(262, serial);
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 3);

  frame.command(cmd::kCloseAllChildren)->trigger();
  EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
}

TEST(CMainFrame, ModeCommandsAndTheDefaultMode) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  frame.settings().options.defaultTranslationMode = 13;
  frame.openMovie(writeMovie(fixture.temp, panelMovie()));
  const ActionObject* object = frame.scanResult().firstTimeline()->actions.front().get();
  frame.changeView(viewkind::kAction, object->serial);
  CActionFrameWnd* window = frame.activeActionWindow();
  ASSERT_NE(window, nullptr);
  RecordingMessageSink sink;
  EXPECT_EQ(window->mode(), TranslationMode::FunctionCode);
  EXPECT_EQ(window->view()->bytes(), ActionWindowText(object, TranslationMode::FunctionCode, sink));

  const std::vector<std::pair<int, TranslationMode>> commands = {
      {cmd::kByteCodeHex, TranslationMode::ByteCodeHex},
      {cmd::kByteCodeCharacter, TranslationMode::ByteCodeCharacter},
      {cmd::kByteCodeInteger, TranslationMode::ByteCodeInteger},
      {cmd::kActionScript4, TranslationMode::ActionScript4},
      {cmd::kFunctionCode, TranslationMode::FunctionCode},
      {cmd::kActionScript5, TranslationMode::ActionScript5},
      {cmd::kSource, TranslationMode::Source},
      {cmd::kAssembly, TranslationMode::Assembly}};
  for (const auto& [id, mode] : commands) {
    window->commandAction(id)->trigger();
    EXPECT_EQ(window->mode(), mode) << id;
    EXPECT_EQ(window->view()->bytes(), ActionWindowText(object, mode, sink)) << id;
  }
  // Byte code keeps the version last shown.
  window->runCommand(cmd::kActionScript4);
  window->runCommand(cmd::kByteCodeHex);
  EXPECT_EQ(window->shownVersion(), 4);

  // Save As File: the proposed name, the ".txt" rule and the bytes.
  fixture.prompts.savePaths.push_back(fixture.temp.file("notes"));
  window->runCommand(cmd::kSaveAsFile);
  EXPECT_EQ(fixture.prompts.proposedNames.back(), proposedTextFileName(window->titleText()));
  const Bytes saved = test::readFile(fixture.temp.file("notes.txt"));
  EXPECT_EQ(std::string(saved.begin(), saved.end()), window->view()->bytes());

  // The "ActionContext" menu in its order.
  QStringList menu;
  for (const QAction* action : window->contextMenu()->actions()) menu << action->text();
  EXPECT_EQ(menu, (QStringList{"Copy", "Select All", "", "Save As File...", "Syntax Colors...", "", "Byte Code Hex",
                               "Byte Code Integer", "Byte Code Character", "", "Function Code", "", "Action Script V4",
                               "Action Script V5", "Source", "Assembly", "Edit"}));
  EXPECT_TRUE(window->commandAction(cmd::kByteCodeHex)->isChecked());
  EXPECT_FALSE(window->commandAction(cmd::kActionScript4)->isChecked());

  // Select All, then Copy enabled.
  window->runCommand(cmd::kSelectAll);
  EXPECT_TRUE(window->commandAction(cmd::kCopyScript)->isEnabled());
  EXPECT_EQ(window->view()->selectedBytes().toStdString(), window->view()->bytes());
  window->runCommand(cmd::kCopyScript);
  EXPECT_EQ(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain")).toStdString(),
            window->view()->bytes());

  // "Extract Object" of the main window saves the active action window's text.
  fixture.prompts.savePaths.push_back(fixture.temp.file("frame.doc"));
  frame.command(cmd::kExtractObject)->trigger();
  EXPECT_EQ(test::readFile(fixture.temp.file("frame.txt")), saved);
}

TEST(CMainFrame, SyntaxColoursRecolourEveryActionWindow) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  frame.openMovie(writeMovie(fixture.temp, panelMovie()));
  for (const auto& action : frame.scanResult().firstTimeline()->actions) {
    frame.changeView(viewkind::kAction, action->serial);
  }
  SyntaxColours colours;
  colours.comments = rgb(1, 200, 3);
  fixture.prompts.newColours = colours;
  frame.activeActionWindow()->runCommand(cmd::kSyntaxColors);
  for (QMdiSubWindow* sub : frame.mdiArea()->subWindowList()) {
    auto* window = qobject_cast<CActionFrameWnd*>(sub->widget());
    ASSERT_NE(window, nullptr);
    // The header of every listing begins with a comment line.
    const QTextBlock first = window->view()->document()->firstBlock();
    ASSERT_TRUE(first.text().startsWith(QStringLiteral("//")));
    const QList<QTextLayout::FormatRange> formats = first.layout()->formats();
    ASSERT_FALSE(formats.isEmpty());
    EXPECT_EQ(formats.front().format.foreground().color(), QColor(1, 200, 3));
  }
}

TEST(CMainFrame, EnableRulesFollowTheMovie) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  const std::vector<int> movieCommands = {cmd::kRescan, cmd::kExtractAll, cmd::kPreviewInBrowser,
                                          cmd::kEditMovieProperties};
  for (const int id : movieCommands) EXPECT_FALSE(frame.command(id)->isEnabled()) << id;
  for (const int id : {cmd::kOpen, cmd::kSaveAs, cmd::kOptions, cmd::kAbout, cmd::kHelpTopics}) {
    EXPECT_TRUE(frame.command(id)->isEnabled()) << id;
  }
  EXPECT_FALSE(frame.command(cmd::kExtractObject)->isEnabled());

  // Help Topics shows the user guide compiled into the program.
  frame.command(cmd::kHelpTopics)->trigger();
  const auto* guide = frame.findChild<QTextBrowser*>();
  ASSERT_NE(guide, nullptr);
  EXPECT_TRUE(guide->toPlainText().contains(QStringLiteral("Orvane user guide")));
  frame.openMovie(writeMovie(fixture.temp, panelMovie()));
  for (const int id : movieCommands) EXPECT_TRUE(frame.command(id)->isEnabled()) << id;

  // A failed open shows its box and disables the movie commands again.
  frame.openMovie(fixture.temp.file("missing.swf"));
  // The tag walker names the file first; the status box comes last.
  ASSERT_FALSE(fixture.messages.messages().empty());
  const Message& box = fixture.messages.messages().back();
  EXPECT_EQ(box.title, statusTitle(ScanStatus::OpenError));
  EXPECT_EQ(box.text, statusText(ScanStatus::OpenError, ""));
  EXPECT_FALSE(frame.movieLoaded());
  for (const int id : movieCommands) EXPECT_FALSE(frame.command(id)->isEnabled()) << id;
  // The path is kept for a later ReScan.
  EXPECT_EQ(frame.currentPath(), fixture.temp.file("missing.swf"));

  // Not a movie at all.
  fixture.messages.clear();
  frame.openMovie(writeMovie(fixture.temp, Bytes(64, 'x'), "junk.swf"));
  ASSERT_FALSE(fixture.messages.messages().empty());
  EXPECT_EQ(fixture.messages.messages().back().title, statusTitle(ScanStatus::InvalidFileFormat));
  EXPECT_FALSE(frame.movieLoaded());
}

TEST(CMainFrame, ProjectorsGoThroughTheirDialog) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  // Cancelled: the field is emptied and nothing is scanned.
  frame.openMovie(fixture.temp.file("game.exe"));
  ASSERT_EQ(fixture.prompts.projectorRuns.size(), 1u);
  EXPECT_EQ(frame.currentPath(), "");
  EXPECT_TRUE(frame.currentFileField()->text().isEmpty());
  EXPECT_FALSE(frame.movieLoaded());
  EXPECT_TRUE(fixture.messages.messages().empty());

  // Accepted: the chosen movie is scanned.
  const std::string movie = writeMovie(fixture.temp, panelMovie(), "orvnTMP.swf");
  fixture.prompts.projectorMovies.push_back(movie);
  frame.openMovie(fixture.temp.file("game.exe"));
  EXPECT_EQ(frame.currentPath(), movie);
  EXPECT_TRUE(frame.movieLoaded());

  // Upper-case ".EXE" is a movie name, not a projector.
  frame.openMovie(writeMovie(fixture.temp, panelMovie(), "GAME.EXE"));
  EXPECT_EQ(fixture.prompts.projectorRuns.size(), 2u);
  EXPECT_TRUE(frame.movieLoaded());
}

TEST(CMainFrame, SettingsAreLoadedAtStartAndWrittenAtClose) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  const std::string text = "FLAG\n32\nADVOPS\n1\n0\nASMODE\n15\nCOLORS\n";
  test::writeFile(frame.settingsPath(), Bytes(text.begin(), text.end()));
  frame.setPendingPath(writeMovie(fixture.temp, panelMovie()));
  frame.startUp();
  EXPECT_EQ(frame.settings().options.scanFlags, 32u);
  EXPECT_TRUE(frame.movieLoaded());
  // Frame actions only: no button, sound or image was collected.
  EXPECT_EQ(frame.scanResult().firstTimeline()->buttonCount(), 0u);
  EXPECT_EQ(frame.scanResult().firstTimeline()->actionCount(), 2u);

  ScanOptions changed = frame.settings().options;
  changed.scanFlags = 4095;
  changed.defaultTranslationMode = 17;
  fixture.prompts.newOptions = changed;
  frame.command(cmd::kOptions)->trigger();
  frame.close();
  const Bytes written = test::readFile(frame.settingsPath());
  EXPECT_EQ(std::string(written.begin(), written.end()), "FLAG\n4095\nADVOPS\n1\n0\nASMODE\n17\nCOLORS\n");
  EXPECT_TRUE(test::fileExists(fixture.config.file("layout.ini")));
}

TEST(CMainFrame, MovieCommandsRewriteAndCopyTheLoadedMovie) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  // Without a movie both commands do nothing.
  frame.command(cmd::kSaveAs)->trigger();
  EXPECT_TRUE(fixture.prompts.proposedNames.empty());

  const std::string path = writeMovie(fixture.temp, panelMovie());
  frame.openMovie(path);
  frame.changeView(viewkind::kAction, frame.scanResult().firstTimeline()->actions.front()->serial);
  fixture.prompts.properties.push_back(MovieProperties{320, 240, 24});
  frame.command(cmd::kEditMovieProperties)->trigger();
  // The movie was rewritten and scanned again; its windows were closed.
  EXPECT_EQ(frame.scanResult().width, 320);
  EXPECT_EQ(frame.scanResult().height, 240);
  EXPECT_EQ(frame.scanResult().frameRate, 24u);
  EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
  EXPECT_EQ(columnTexts(frame.propertiesPanel(), 1)[2], " 320 pixels");

  fixture.prompts.savePaths.push_back(fixture.temp.file("copy.abc"));
  frame.command(cmd::kSaveAs)->trigger();
  EXPECT_EQ(test::readFile(fixture.temp.file("copy.swf")), test::readFile(path));
  ASSERT_FALSE(fixture.messages.messages().empty());
  EXPECT_EQ(fixture.messages.messages().back().text, "Save As Action was Successful");
  EXPECT_EQ(frame.currentPath(), path);
}

TEST(CMainFrame, DockingLayoutIsRestoredFromBarState2) {
  test::FrameFixture fixture;
  QAction* properties = fixture.frame->command(cmd::kMovieProperties);
  EXPECT_TRUE(properties->isChecked());
  properties->trigger();
  EXPECT_FALSE(properties->isChecked());
  EXPECT_TRUE(fixture.frame->dock(cmd::kMovieProperties)->isHidden());
  fixture.frame->close();

  CMainFrame again(
      FrameServices{fixture.messages, fixture.prompts, fixture.launcher, fixture.config.path(), fixture.temp.path()});
  again.show();
  EXPECT_TRUE(again.dock(cmd::kMovieProperties)->isHidden());
  EXPECT_FALSE(again.dock(cmd::kMovieObjects)->isHidden());
  EXPECT_FALSE(again.command(cmd::kMovieProperties)->isChecked());
  EXPECT_EQ(again.dock(cmd::kMovieObjects)->windowTitle(), QStringLiteral("Movie Objects"));
  EXPECT_EQ(again.dockWidgetArea(again.dock(cmd::kMovieObjects)), Qt::LeftDockWidgetArea);
}

TEST(CMainFrame, TitleNamesTheActiveObjectWindow) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Orvane"));
  frame.openMovie(writeMovie(fixture.temp, panelMovie()));
  const TimelineNode& main = *frame.scanResult().firstTimeline();
  const std::int32_t first = main.actions[0]->serial;
  const std::int32_t second = main.actions[1]->serial;
  const QString firstName = QString::fromStdString(main.actions[0]->describe(false));
  const QString secondName = QString::fromStdString(main.actions[1]->describe(false));
  ASSERT_NE(firstName, secondName);

  frame.changeView(viewkind::kAction, first);
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Orvane - [") + firstName + QStringLiteral("]"));
  frame.changeView(viewkind::kAction, second);
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Orvane - [") + secondName + QStringLiteral("]"));
  frame.changeView(viewkind::kAction, first);
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Orvane - [") + firstName + QStringLiteral("]"));

  // Maximised, the name is shown once; restored, the same.
  frame.command(cmd::kMaximizeChild)->trigger();
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Orvane - [") + firstName + QStringLiteral("]"));
  frame.mdiArea()->activeSubWindow()->showNormal();
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Orvane - [") + firstName + QStringLiteral("]"));

  // Closing the active window names the one that takes its place; none left, the program.
  frame.mdiArea()->activeSubWindow()->close();
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Orvane - [") + secondName + QStringLiteral("]"));
  frame.command(cmd::kCloseAllChildren)->trigger();
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Orvane"));
}

}  // namespace
}  // namespace orvane
