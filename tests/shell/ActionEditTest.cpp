#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "movie/MoviePanels.h"
#include "movie/MovieRewriter.h"
#include "movie/MovieSource.h"
#include "movie/ScanResult.h"
#include "shell/CActionFrameWnd.h"
#include "shell/CActionView.h"
#include "shell/CEditBar.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/CompressedMovie.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

using test::Bytes;

constexpr std::uint8_t kPlay = 0x06;
constexpr std::uint8_t kStop = 0x07;

/// Version 5, one frame: a frame action with `frameActions`, a button with actions, then
/// the frame's end.
Bytes editMovie(const Bytes& frameActions) {
  test::MovieBuilder movie(5);
  movie.frameCount(1).doAction(frameActions).defineButton(3, {kPlay, 0x00}).showFrame().end();
  return movie.build();
}

const Bytes kOriginalActions = {kStop, 0x00};
// "GotoFrame 5" and "End": ActionGotoFrame (0x81) with its 2-byte length and frame 5.
const Bytes kEditedActions = {0x81, 0x02, 0x00, 0x05, 0x00, 0x00};
const QString kEditedText = QStringLiteral("GotoFrame 5\nEnd\n");

/// A main window with the movie open and the frame action's window in the Assembly mode.
struct EditFixture {
  explicit EditFixture(const Bytes& file = editMovie(kOriginalActions), const std::string& name = "edit.swf") {
    path = fixture.temp.file(name);
    test::writeFile(path, file);
    frame().openMovie(path);
    serial = frame().scanResult().firstTimeline()->actions.front()->serial;
    frame().changeView(viewkind::kAction, serial);
    window()->runCommand(cmd::kAssembly);
  }

  CMainFrame& frame() { return *fixture.frame; }
  CActionFrameWnd* window() { return frame().activeActionWindow(); }
  QString editMessage() { return window()->editBar()->message()->text(); }
  /// Types `text` over the whole edited text and waits for the assembler's verdict.
  void type(const QString& text) {
    const QString before = editMessage();
    window()->view()->setPlainText(text);
    // The assembler waits for a pause in the typing.
    EXPECT_EQ(editMessage(), before);
    QTest::qWait(CActionFrameWnd::checkDelayMs(static_cast<std::size_t>(text.size())) + 50);
  }
  /// Lets the windows that gave way to new ones go.
  static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  test::FrameFixture fixture;
  std::string path;
  std::int32_t serial = 0;
};

TEST(ActionEdit, EditIsOfferedInTheAssemblyModeAndMakesTheTextEditable) {
  EditFixture edit;
  CActionFrameWnd* window = edit.window();
  ASSERT_NE(window, nullptr);
  QAction* editCommand = window->commandAction(cmd::kEditActions);
  EXPECT_EQ(editCommand->text(), QStringLiteral("Edit"));
  EXPECT_EQ(editCommand->statusTip(), QStringLiteral("Edit The Assembly Text"));
  EXPECT_TRUE(editCommand->isEnabled());

  // In any other mode the command is off and does nothing.
  window->runCommand(cmd::kActionScript5);
  EXPECT_FALSE(editCommand->isEnabled());
  window->runCommand(cmd::kEditActions);
  EXPECT_FALSE(window->isEditing());
  EXPECT_TRUE(window->view()->isReadOnly());

  window->runCommand(cmd::kAssembly);
  const std::string shown = window->view()->bytes();
  editCommand->trigger();
  EXPECT_TRUE(window->isEditing());
  EXPECT_TRUE(editCommand->isChecked());
  EXPECT_FALSE(window->view()->isReadOnly());
  EXPECT_FALSE(window->editBar()->isHidden());
  EXPECT_EQ(edit.editMessage(), QStringLiteral("No Errors"));
  EXPECT_TRUE(window->commandAction(cmd::kApplyActions)->isEnabled());
  EXPECT_EQ(window->view()->editedBytes(), shown);

  // Unchanged, it leaves without asking.
  editCommand->trigger();
  EXPECT_FALSE(window->isEditing());
  EXPECT_FALSE(editCommand->isChecked());
  EXPECT_TRUE(window->editBar()->isHidden());
  EXPECT_TRUE(edit.fixture.prompts.changeQuestions.empty());

  // A window of its own (no movie to edit) never offers it.
  RecordingMessageSink sink;
  CActionFrameWnd lone(edit.frame().scanResult().firstTimeline()->actions.front().get(), "lone", 5, SyntaxColours{},
                       sink, edit.fixture.prompts);
  lone.runCommand(cmd::kAssembly);
  EXPECT_FALSE(lone.commandAction(cmd::kEditActions)->isEnabled());
}

TEST(ActionEdit, AnErrorIsMarkedAtItsLineAndColumnAndLeavesTheMovieUntouched) {
  EditFixture edit;
  const Bytes original = edit.frame().movieImage();
  edit.window()->runCommand(cmd::kEditActions);

  edit.type(QStringLiteral("Play\nPussh 1\nEnd\n"));
  CActionView* view = edit.window()->view();
  EXPECT_EQ(view->markedLine(), 2u);
  EXPECT_EQ(view->markedPosition(), view->document()->findBlockByNumber(1).position());
  EXPECT_EQ(edit.editMessage(), QStringLiteral("Error : Line 2, Column 1 : unknown record name \"Pussh\""));
  EXPECT_FALSE(edit.window()->commandAction(cmd::kApplyActions)->isEnabled());

  // "GotoFrame " takes ten columns: the string stands at column 11.
  edit.type(QStringLiteral("Play\nStop\nGotoFrame \"x\"\n"));
  EXPECT_EQ(view->markedLine(), 3u);
  EXPECT_EQ(view->markedPosition(), view->document()->findBlockByNumber(2).position() + 10);
  EXPECT_TRUE(edit.editMessage().startsWith(QStringLiteral("Error : Line 3, Column 11 : ")));

  // Applied all the same, it changes nothing.
  edit.window()->runCommand(cmd::kApplyActions);
  EXPECT_TRUE(edit.window()->isEditing());
  EXPECT_EQ(edit.frame().movieImage(), original);
  EXPECT_FALSE(edit.frame().movieModified());
  EXPECT_FALSE(edit.frame().command(cmd::kSave)->isEnabled());

  // Mended, the marks go.
  edit.type(kEditedText);
  EXPECT_EQ(view->markedLine(), 0u);
  EXPECT_EQ(edit.editMessage(), QStringLiteral("No Errors"));
  EXPECT_TRUE(edit.window()->commandAction(cmd::kApplyActions)->isEnabled());
}

TEST(ActionEdit, ApplyReplacesTheBlockInMemoryAndSaveWritesIt) {
  EditFixture edit;
  const Bytes original = editMovie(kOriginalActions);
  const Bytes expected = editMovie(kEditedActions);  // four bytes longer, every length with it
  const std::int32_t buttonSerial = edit.frame().scanResult().firstTimeline()->buttons.front()->serial;
  edit.frame().changeView(viewkind::kButton, buttonSerial);
  edit.frame().changeView(viewkind::kAction, edit.serial);
  edit.window()->runCommand(cmd::kEditActions);
  edit.type(kEditedText);
  edit.window()->commandAction(cmd::kApplyActions)->trigger();
  EditFixture::settle();

  EXPECT_EQ(edit.frame().movieImage(), expected);
  EXPECT_EQ(test::readFile(edit.path), original);  // the file waits for Save
  EXPECT_TRUE(edit.frame().movieModified());
  EXPECT_EQ(edit.frame().findChild<QLabel*>(QStringLiteral("modifiedPane"))->text(), QStringLiteral("Modified"));
  EXPECT_TRUE(edit.frame().command(cmd::kSave)->isEnabled());

  // The new scan keeps the serials; both windows are open again, the edited one in Edit mode.
  const ScanResult& scan = edit.frame().scanResult();
  ASSERT_NE(scan.findAction(static_cast<std::uint32_t>(edit.serial), true), nullptr);
  EXPECT_EQ(scan.findAction(static_cast<std::uint32_t>(edit.serial), true)->bytes, kEditedActions);
  EXPECT_NE(scan.findButton(static_cast<std::uint32_t>(buttonSerial), true), nullptr);
  EXPECT_EQ(edit.frame().mdiArea()->subWindowList().size(), 2);
  CActionFrameWnd* window = edit.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->object(), scan.findAction(static_cast<std::uint32_t>(edit.serial), true));
  EXPECT_EQ(window->mode(), TranslationMode::Assembly);
  EXPECT_TRUE(window->isEditing());
  EXPECT_NE(window->view()->bytes().find("GotoFrame 5\n"), std::string::npos);

  edit.frame().command(cmd::kSave)->trigger();
  EXPECT_EQ(test::readFile(edit.path), expected);
  EXPECT_FALSE(edit.frame().movieModified());
  EXPECT_FALSE(edit.frame().command(cmd::kSave)->isEnabled());
  EXPECT_TRUE(edit.fixture.messages.messages().empty());
  // Written through a temporary file beside it ("edit.swf.XXXXXX"), renamed over it.
  for (const auto& entry : std::filesystem::directory_iterator(edit.fixture.temp.path()))
    EXPECT_FALSE(entry.path().filename().string().starts_with("edit.swf.")) << entry.path();
}

TEST(ActionEdit, SaveKeepsTheCompressionAndSaveAsWritesACopy) {
  const Bytes expected = editMovie(kEditedActions);
  EditFixture edit(test::cwsMovie(editMovie(kOriginalActions)), "packed.swf");
  edit.window()->runCommand(cmd::kEditActions);
  edit.type(kEditedText);
  edit.window()->runCommand(cmd::kApplyActions);
  EditFixture::settle();
  ASSERT_TRUE(edit.frame().movieModified());

  // Save As another name: the extension rule, Save As's message, a copy; the movie
  // stays the one loaded and unsaved.
  edit.fixture.prompts.savePaths.push_back(edit.fixture.temp.file("copy"));
  edit.frame().command(cmd::kSaveAs)->trigger();
  const auto readBack = [](const std::string& path) {
    MovieSource source;
    EXPECT_EQ(source.load(path), ScanStatus::Success) << path;
    EXPECT_EQ(source.compression(), MovieCompression::Zlib) << path;
    return source.image();
  };
  EXPECT_EQ(readBack(edit.fixture.temp.file("copy.swf")), expected);
  ASSERT_EQ(edit.fixture.messages.messages().size(), 1u);
  EXPECT_EQ(edit.fixture.messages.messages().back().text, "Save As Action was Successful");
  EXPECT_EQ(edit.frame().currentPath(), edit.path);
  EXPECT_TRUE(edit.frame().movieModified());

  edit.frame().command(cmd::kSave)->trigger();
  EXPECT_EQ(readBack(edit.path), expected);
  EXPECT_FALSE(edit.frame().movieModified());
}

TEST(ActionEdit, LeavingEditWithChangesAsks) {
  EditFixture edit;
  const Bytes original = edit.frame().movieImage();
  test::ScriptedPrompts& prompts = edit.fixture.prompts;
  edit.window()->runCommand(cmd::kEditActions);
  edit.type(kEditedText);

  // Cancel stays, in the Assembly mode.
  prompts.changeAnswers.push_back(ChangesAnswer::Cancel);
  edit.window()->runCommand(cmd::kActionScript5);
  ASSERT_EQ(prompts.changeQuestions.size(), 1u);
  EXPECT_EQ(prompts.changeQuestions.back(),
            "The assembly text has changes that are not applied. Apply them? [Apply]");
  EXPECT_TRUE(edit.window()->isEditing());
  EXPECT_EQ(edit.window()->mode(), TranslationMode::Assembly);
  EXPECT_TRUE(edit.window()->commandAction(cmd::kAssembly)->isChecked());

  // Discard drops the text and the movie stays.
  prompts.changeAnswers.push_back(ChangesAnswer::Discard);
  edit.window()->runCommand(cmd::kEditActions);
  EXPECT_FALSE(edit.window()->isEditing());
  EXPECT_EQ(edit.window()->view()->toPlainText().toStdString(), edit.window()->view()->bytes());
  EXPECT_EQ(edit.frame().movieImage(), original);

  // Apply from the question, on closing the window.
  edit.window()->runCommand(cmd::kEditActions);
  edit.type(kEditedText);
  prompts.changeAnswers.push_back(ChangesAnswer::Keep);
  edit.frame().mdiArea()->activeSubWindow()->close();
  EditFixture::settle();
  EXPECT_EQ(edit.frame().movieImage(), editMovie(kEditedActions));

  // Opening another movie asks about the unsaved blocks: Cancel keeps them loaded ...
  prompts.changeAnswers.push_back(ChangesAnswer::Cancel);
  edit.frame().openMovie(edit.path);
  EXPECT_EQ(prompts.changeQuestions.back(), "The movie has changes that are not saved. Save them? [Save]");
  EXPECT_TRUE(edit.frame().movieModified());
  // ... Discard reads the file as it is.
  prompts.changeAnswers.push_back(ChangesAnswer::Discard);
  edit.frame().command(cmd::kRescan)->trigger();
  EXPECT_FALSE(edit.frame().movieModified());
  EXPECT_EQ(edit.frame().movieImage(), original);
  EXPECT_EQ(test::readFile(edit.path), original);
}

TEST(ActionEdit, RewritingTheFileSavesTheEditsFirst) {
  EditFixture edit;
  test::ScriptedPrompts& prompts = edit.fixture.prompts;
  const std::uint32_t headerLength = edit.frame().scanResult().headerLength;
  edit.window()->runCommand(cmd::kEditActions);
  edit.type(kEditedText);
  edit.window()->runCommand(cmd::kApplyActions);
  EditFixture::settle();

  // Cancel: no dialog, no change.
  prompts.properties.push_back(MovieProperties{100, 80, 10});
  prompts.changeAnswers.push_back(ChangesAnswer::Cancel);
  edit.frame().command(cmd::kEditMovieProperties)->trigger();
  EXPECT_EQ(prompts.properties.size(), 1u);
  EXPECT_EQ(test::readFile(edit.path), editMovie(kOriginalActions));
  EXPECT_TRUE(edit.frame().movieModified());

  // Save: the edits reach the file, then the new header goes in front of its tags.
  prompts.changeAnswers.push_back(ChangesAnswer::Keep);
  edit.frame().command(cmd::kEditMovieProperties)->trigger();
  EXPECT_TRUE(prompts.properties.empty());
  const Bytes expected = editMovie(kEditedActions);
  const Bytes written = test::readFile(edit.path);
  ASSERT_EQ(written.size(), expected.size() - headerLength + kRewrittenHeaderLength);
  EXPECT_TRUE(std::equal(expected.begin() + headerLength, expected.end(), written.begin() + kRewrittenHeaderLength));
  EXPECT_FALSE(edit.frame().movieModified());
  EXPECT_EQ(edit.frame().scanResult().width, 100);
}

TEST(ActionEdit, ALargeCorpusScriptAppliedUnchangedGivesTheSameMovie) {
  const std::string samples = test::samplesFolder();
  const std::string path = samples + "/jpexs/as2_long.fws.swf";
  if (samples.empty() || !std::filesystem::exists(path)) GTEST_SKIP() << "sample corpus not present";
  const Bytes original = test::readFile(path);
  EditFixture edit(original, "long.swf");
  // The movie's largest frame action.
  const ActionObject* largest = nullptr;
  for (const auto& action : edit.frame().scanResult().firstTimeline()->actions)
    if (largest == nullptr || action->length() > largest->length()) largest = action.get();
  ASSERT_NE(largest, nullptr);
  edit.frame().changeView(viewkind::kAction, largest->serial);
  CActionFrameWnd* window = edit.window();
  window->runCommand(cmd::kAssembly);
  QElapsedTimer clock;
  clock.start();
  window->runCommand(cmd::kEditActions);  // checks the text once
  const qint64 checkMs = clock.elapsed();
  EXPECT_EQ(edit.editMessage(), QStringLiteral("No Errors"));
  clock.restart();
  window->runCommand(cmd::kApplyActions);
  const qint64 applyMs = clock.elapsed();
  EditFixture::settle();
  EXPECT_EQ(edit.frame().movieImage(), original);
  std::cout << "script of " << edit.window()->view()->bytes().size() << " bytes: Edit with its check " << checkMs
            << " ms, Apply with the new scan " << applyMs << " ms\n";
}

TEST(ActionEdit, TheCheckWaitsLongerForLargeTexts) {
  EXPECT_EQ(CActionFrameWnd::checkDelayMs(100), 250);
  EXPECT_EQ(CActionFrameWnd::checkDelayMs(16 * 1024), 250);
  EXPECT_EQ(CActionFrameWnd::checkDelayMs(16 * 1024 + 1), 1000);
}

}  // namespace
}  // namespace orvane
