#include <gtest/gtest.h>

#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "shell/CActionView.h"
#include "tests/shell/ShellTestSupport.h"

namespace orvane {
namespace {

/// The (start, length, colour) of every coloured piece of the first block.
std::vector<std::tuple<int, int, QColor>> firstBlockColours(const CActionView& view) {
  std::vector<std::tuple<int, int, QColor>> pieces;
  for (const QTextLayout::FormatRange& range : view.document()->firstBlock().layout()->formats()) {
    pieces.emplace_back(range.start, range.length, range.format.foreground().color());
  }
  return pieces;
}

TEST(CActionView, ColoursLandOnTheDecodedCharacters) {
  test::qtApplication();
  KeywordTable table;
  table.load(5, SyntaxColours{});
  CActionView view;
  // "é" is two bytes of UTF-8 but one character on screen.
  view.showText("x = \"\xC3\xA9\"; if (x)\n", table);
  const std::vector<std::tuple<int, int, QColor>> expected = {{4, 3, QColor(0, 0, 240)}, {9, 2, QColor(0, 0, 255)}};
  EXPECT_EQ(firstBlockColours(view), expected);
  EXPECT_EQ(view.textCursor().position(), 0);

  // Latin-1 text is copied as the bytes it was.
  view.showText("caf\xE9 \"x\"\n", table);
  EXPECT_EQ(view.toPlainText(), QStringLiteral(u"café \"x\"\n"));
  view.selectAll();
  view.copySelection();
  EXPECT_EQ(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain")).toStdString(), "caf\xE9 \"x\"\n");
}

TEST(CActionView, OnlyTheLinesOnScreenAreColouredUntilTheOthersComeIntoView) {
  test::qtApplication();
  KeywordTable table;
  table.load(5, SyntaxColours{});
  std::string text;
  for (int line = 0; line < 20000; ++line) text += "if (x) stop ();\n";
  CActionView view;
  view.resize(400, 300);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  view.showText(text, table);
  const std::vector<std::tuple<int, int, QColor>> colours = {{0, 2, QColor(0, 0, 255)}, {7, 7, QColor(220, 10, 10)}};
  EXPECT_EQ(firstBlockColours(view), colours);
  const QTextBlock last = view.document()->findBlockByNumber(19999);
  ASSERT_EQ(last.text(), QStringLiteral("if (x) stop ();"));
  EXPECT_TRUE(last.layout()->formats().isEmpty());

  // Scrolled to the end and painted, the last line has its colours too.
  view.selectBytes(text.size() - 9, 7);  // the last line's "stop ()"
  view.viewport()->repaint();
  const QList<QTextLayout::FormatRange> formats = last.layout()->formats();
  ASSERT_EQ(formats.size(), 2);
  EXPECT_EQ(formats[0].start, 0);
  EXPECT_EQ(formats[0].format.foreground().color(), QColor(0, 0, 255));
  EXPECT_EQ(formats[1].start, 7);
  EXPECT_EQ(formats[1].length, 7);
  EXPECT_EQ(formats[1].format.foreground().color(), QColor(220, 10, 10));
  EXPECT_EQ(view.textCursor().selectedText(), QStringLiteral("stop ()"));
}

}  // namespace
}  // namespace orvane
