#include <gtest/gtest.h>

#include <QClipboard>
#include <QMimeData>
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

}  // namespace
}  // namespace orvane
