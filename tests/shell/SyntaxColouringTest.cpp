#include <gtest/gtest.h>

#include "shell/SyntaxColouring.h"

namespace orvane {
namespace {

const SyntaxColours kColours;

KeywordTable tableFor(int version) {
  KeywordTable table;
  table.load(version, kColours);
  return table;
}

/// The text of every coloured range with its colour.
std::vector<std::pair<std::string, Rgb>> coloured(std::string_view text, int version) {
  std::vector<std::pair<std::string, Rgb>> pieces;
  for (const ColourRange& range : colourRanges(text, tableFor(version))) {
    pieces.emplace_back(std::string(text.substr(range.start, range.length)), range.colour);
  }
  return pieces;
}

using Pieces = std::vector<std::pair<std::string, Rgb>>;

TEST(SyntaxColouring, KeywordsNeedDelimitersOnBothSides) {
  // "if" is followed by a blank; the "++" of i++ follows a letter.
  EXPECT_EQ(coloured("if (x ){\n  i++;\n}\n", 5), (Pieces{{"if", kColours.conditionalKeywords}}));
  // "play ()" only where the blank stands before the parentheses.
  EXPECT_EQ(coloured("play ();\nplay();\n", 5), (Pieces{{"play ()", kColours.keywords}}));
  // Punctuation that is no delimiter keeps a keyword plain.
  EXPECT_EQ(coloured("x=set;\n", 5), Pieces{});
  EXPECT_EQ(coloured("set(x)", 5), (Pieces{{"set", kColours.keywords}}));
  // Version 4 lists are different.
  EXPECT_EQ(coloured("If (x)\nEnd If\n", 4),
            (Pieces{{"If", kColours.conditionalKeywords}, {"End If", kColours.conditionalKeywords}}));
  EXPECT_EQ(coloured("If (x)\n", 5), Pieces{});
}

TEST(SyntaxColouring, ActionScript3ListingsColourKeywordsAndMnemonics) {
  EXPECT_EQ(coloured("    public class Foo extends Bar\n", 3),
            (Pieces{{"public", kColours.keywords}, {"class", kColours.keywords}, {"extends", kColours.keywords}}));
  // Branches and switches take the conditional colour, other mnemonics the keyword colour;
  // labels, operands and comments are no keywords.
  EXPECT_EQ(coloured("L4:\n    4  iffalse L12\n    7  getlocal_0\n    8  lookupswitch L4, [L4]\n", 3),
            (Pieces{{"iffalse", kColours.conditionalKeywords}, {"getlocal_0", kColours.keywords},
                    {"lookupswitch", kColours.conditionalKeywords}}));
  EXPECT_EQ(coloured("   12  pushstring \"if\"  // body\n", 3),
            (Pieces{{"pushstring", kColours.keywords},
                    {"\"if\"", kColours.strings},
                    {"// body\n", kColours.comments}}));
  // The alchemy memory instructions are mnemonics too; version 5 knows none of them.
  EXPECT_EQ(coloured("    0  li8\n", 3), (Pieces{{"li8", kColours.keywords}}));
  EXPECT_EQ(coloured("    0  getlocal_0\n", 5), Pieces{});
}

TEST(SyntaxColouring, StringsKeepEscapedQuotes) {
  const std::string text = "trace (\"a \\\"quoted\\\" word\");\n";
  EXPECT_EQ(coloured(text, 5), (Pieces{{"\"a \\\"quoted\\\" word\"", kColours.strings}}));
  // An open string runs to the end of the text.
  EXPECT_EQ(coloured("x = \"open", 5), (Pieces{{"\"open", kColours.strings}}));
  // Keywords inside strings stay string-coloured.
  EXPECT_EQ(coloured("\"if (\"", 5), (Pieces{{"\"if (\"", kColours.strings}}));
}

TEST(SyntaxColouring, CommentsAndErrorTexts) {
  // The closing line is a comment, not an error text.
  EXPECT_EQ(coloured("stop ();\n// END Action Script\n", 5),
            (Pieces{{"stop ()", kColours.keywords}, {"// END Action Script\n", kColours.comments}}));
  // The stack dump line takes the error colour for its first four words.
  EXPECT_EQ(coloured("Dumping Items Still On Stack {\n", 5),
            (Pieces{{"Dumping Items Still On Stack", kColours.errors}}));
  EXPECT_EQ(coloured("x = ?stackempty?;\n", 5), (Pieces{{"?stackempty?", kColours.errors}}));
  // An unresolved expression carries a number, so it is no error text.
  EXPECT_EQ(coloured("<EXPRESSION 3 TABLE ERROR>\n", 5), Pieces{});
  // Block comments span lines; a line comment ending in a backslash continues.
  EXPECT_EQ(coloured("/* a\nb */ if (x)", 5),
            (Pieces{{"/* a\nb */", kColours.comments}, {"if", kColours.conditionalKeywords}}));
  EXPECT_EQ(coloured("// a\\\r\nb\r\nc", 5), (Pieces{{"// a\\\r\nb\r\n", kColours.comments}}));
  EXPECT_EQ(coloured("// open", 5), (Pieces{{"// open", kColours.comments}}));
}

TEST(SyntaxColouring, TableTakesNewColoursAndSkipsRepeats) {
  SyntaxColours colours;
  colours.keywords = rgb(1, 2, 3);
  colours.strings = rgb(4, 5, 6);
  KeywordTable table;
  table.load(5, colours);
  EXPECT_EQ(table.stringColour(), rgb(4, 5, 6));
  // "gotoAndPlay" and "gotoAndStop" are listed twice but kept once.
  const auto count = std::count_if(table.keywords().begin(), table.keywords().end(),
                                   [](const Keyword& keyword) { return keyword.text == "gotoAndPlay"; });
  EXPECT_EQ(count, 1);
  // 11 conditional keywords, 33 distinct keywords, 4 error texts.
  EXPECT_EQ(table.keywords().size(), 11u + 33u + 4u);
  const std::vector<ColourRange> ranges = colourRanges("call (x)", table);
  EXPECT_EQ(ranges, (std::vector<ColourRange>{{0, 4, rgb(1, 2, 3)}}));
}

}  // namespace
}  // namespace orvane
