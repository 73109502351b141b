#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "movie/MovieObject.h"
#include "shell/CActionFrameWnd.h"
#include "shell/CActionView.h"
#include "shell/CFindBar.h"
#include "shell/Commands.h"
#include "tests/actions/ActionBytes.h"
#include "tests/shell/ShellTestSupport.h"

namespace orvane {
namespace {

using test::Bytes;

Bytes setVariable(const std::string& name, std::int32_t value) {
  return test::join({test::push({test::str(name), test::i32(value)}), {0x1D}});
}

/// A frame action whose version 5 text has, after ten header lines and a blank one:
///   line 11 `score = "1";`, 12 `Score = "2";`, 13 `scores = "3";`, 14 `score = "4";`.
struct FindFixture {
  FindFixture() {
    test::qtApplication();
    object.bytes = test::join({setVariable("score", 1), setVariable("Score", 2), setVariable("scores", 3),
                               setVariable("score", 4), {0x00}});
    window = std::make_unique<CActionFrameWnd>(&object, "Action Script For  Frame[1] ", 5, SyntaxColours{}, messages,
                                               prompts);
    window->resize(700, 500);
    window->QWidget::show();
  }

  CFindBar& bar() { return *window->findBar(); }
  QString count() { return bar().countLabel()->text(); }
  int selectedLine() { return window->view()->textCursor().blockNumber() + 1; }
  QString selected() { return window->view()->textCursor().selectedText(); }

  ActionObject object;
  RecordingMessageSink messages;
  test::ScriptedPrompts prompts;
  std::unique_ptr<CActionFrameWnd> window;
};

TEST(ActionFind, MatchCaseWholeWordTheCountAndWrapping) {
  FindFixture fixture;
  CFindBar& bar = fixture.bar();
  EXPECT_TRUE(bar.isHidden());
  fixture.window->runCommand(cmd::kFind);
  EXPECT_FALSE(bar.isHidden());
  bar.field()->setText(QStringLiteral("score"));
  // Either case: the four names; the caret was at the start, so the first one is current.
  EXPECT_EQ(fixture.window->matches().size(), 4u);
  EXPECT_EQ(fixture.count(), QStringLiteral("1 of 4"));
  EXPECT_EQ(fixture.selectedLine(), 11);
  EXPECT_EQ(fixture.selected(), QStringLiteral("score"));

  bar.matchCaseBox()->setChecked(true);
  EXPECT_EQ(fixture.count(), QStringLiteral("1 of 3"));
  fixture.window->runCommand(cmd::kFindNext);
  EXPECT_EQ(fixture.selectedLine(), 13);
  EXPECT_EQ(fixture.count(), QStringLiteral("2 of 3"));

  bar.wholeWordBox()->setChecked(true);
  // The caret stood on "scores": the next whole word is on line 14.
  EXPECT_EQ(fixture.count(), QStringLiteral("2 of 2"));
  EXPECT_EQ(fixture.selectedLine(), 14);
  fixture.window->runCommand(cmd::kFindNext);
  EXPECT_EQ(fixture.count(), QStringLiteral("1 of 2"));
  EXPECT_EQ(fixture.selectedLine(), 11);
  fixture.window->runCommand(cmd::kFindPrevious);
  EXPECT_EQ(fixture.count(), QStringLiteral("2 of 2"));
  EXPECT_EQ(fixture.selectedLine(), 14);

  // Every match is marked, over its syntax colour.
  const QTextBlock line11 = fixture.window->view()->document()->findBlockByNumber(10);
  bool marked = false;
  for (const QTextLayout::FormatRange& range : line11.layout()->formats()) {
    marked = marked || (range.start == 0 && range.length == 5 && range.format.hasProperty(QTextFormat::BackgroundBrush));
  }
  EXPECT_TRUE(marked);

  bar.field()->setText(QStringLiteral("nothing"));
  EXPECT_EQ(fixture.count(), QStringLiteral("0 of 0"));
  bar.field()->clear();
  EXPECT_EQ(fixture.count(), QString());

  // Esc closes the bar and takes the marks away; F3 brings both back.
  bar.field()->setText(QStringLiteral("score"));
  QTest::keyClick(bar.field(), Qt::Key_Escape);
  EXPECT_TRUE(bar.isHidden());
  EXPECT_TRUE(fixture.window->matches().empty());
  fixture.window->runCommand(cmd::kFindNext);
  EXPECT_FALSE(bar.isHidden());
  EXPECT_EQ(fixture.window->matches().size(), 2u);
}

TEST(ActionFind, EveryModeIsSearchedAndEachTranslationIsMadeOnce) {
  FindFixture fixture;
  fixture.window->runCommand(cmd::kFind);
  fixture.bar().field()->setText(QStringLiteral("score"));
  EXPECT_EQ(fixture.count(), QStringLiteral("1 of 4"));
  // Byte code in hex shows the names as numbers.
  fixture.window->runCommand(cmd::kByteCodeHex);
  EXPECT_EQ(fixture.count(), QStringLiteral("0 of 0"));
  fixture.window->runCommand(cmd::kActionScript4);
  EXPECT_EQ(fixture.count(), QStringLiteral("1 of 4"));
  EXPECT_EQ(fixture.selected(), QStringLiteral("score"));

  // A block with an oversized record: each translation says so once.
  ActionObject broken;
  broken.bytes = {0x96, 0xFF, 0x00, 0x00};
  CActionFrameWnd window(&broken, "broken", 5, SyntaxColours{}, fixture.messages, fixture.prompts);
  const std::size_t afterFirst = fixture.messages.messages().size();
  ASSERT_GT(afterFirst, 0u);
  const std::string as5 = window.view()->bytes();
  window.runCommand(cmd::kActionScript4);
  const std::size_t afterSecond = fixture.messages.messages().size();
  EXPECT_GT(afterSecond, afterFirst);
  window.runCommand(cmd::kActionScript5);
  window.runCommand(cmd::kActionScript4);
  EXPECT_EQ(fixture.messages.messages().size(), afterSecond);
  window.runCommand(cmd::kActionScript5);
  EXPECT_EQ(window.view()->bytes(), as5);
}

}  // namespace
}  // namespace orvane
