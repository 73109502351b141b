#include "search/TextMatcher.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

std::vector<TextMatch> matches(const SearchQuery& query, std::string_view text) {
  return TextMatcher(query).findAll(text);
}

TEST(TextMatcher, PlainTextWithAndWithoutCaseAndAsWholeWord) {
  // Offsets:          0     6       14    20
  const std::string text = "Score score_x score SCORE";
  EXPECT_EQ(matches({"score"}, text), (std::vector<TextMatch>{{6, 5}, {14, 5}}));
  EXPECT_EQ(matches({"score", false, true}, text), (std::vector<TextMatch>{{0, 5}, {6, 5}, {14, 5}, {20, 5}}));
  EXPECT_EQ(matches({"score", false, false, true}, text), (std::vector<TextMatch>{{14, 5}}));
  EXPECT_EQ(matches({"score", false, true, true}, text), (std::vector<TextMatch>{{0, 5}, {14, 5}, {20, 5}}));
  // A byte above 127 belongs to a word (a letter of UTF-8 or Latin-1 text).
  EXPECT_TRUE(matches({"caf", false, false, true}, "caf\xC3\xA9 caf\xE9").empty());
  // Matches do not overlap; a match may end the text.
  EXPECT_EQ(matches({"aa"}, "aaaaa"), (std::vector<TextMatch>{{0, 2}, {2, 2}}));
  EXPECT_TRUE(matches({""}, text).empty());
  EXPECT_FALSE(TextMatcher({"x"}).find("abc", 7).has_value());
}

TEST(TextMatcher, RegularExpressionsWorkLineByLine) {
  const std::string text = "a = 1;\nb = 22;\n";
  EXPECT_EQ(matches({"^[ab]", true}, text), (std::vector<TextMatch>{{0, 1}, {7, 1}}));
  EXPECT_EQ(matches({"[0-9]+;$", true}, text), (std::vector<TextMatch>{{4, 2}, {11, 3}}));
  // A search that starts inside a line does not see that line's start.
  EXPECT_EQ(TextMatcher({"^b", true}).find(text, 8), std::nullopt);
  EXPECT_EQ(matches({"A|B", true, true}, text), (std::vector<TextMatch>{{0, 1}, {7, 1}}));
  EXPECT_EQ(matches({"b", true, false, true}, "ab b"), (std::vector<TextMatch>{{3, 1}}));
  // Nothing crosses a line feed, and empty matches are skipped.
  EXPECT_TRUE(matches({"1.*b", true}, text).empty());
  EXPECT_EQ(matches({"x*", true}, "axxb"), (std::vector<TextMatch>{{1, 2}}));
  // Text may hold zero bytes.
  EXPECT_EQ(matches({"b", true}, std::string_view("a\0b", 3)), (std::vector<TextMatch>{{2, 1}}));
}

TEST(TextMatcher, ABadExpressionSaysWhyAndFindsNothing) {
  const TextMatcher matcher({"(score", true});
  EXPECT_FALSE(matcher.valid());
  EXPECT_EQ(matcher.error(), "Unmatched ( or \\(");
  EXPECT_TRUE(matcher.findAll("(score").empty());
  // The same text as plain text is fine.
  EXPECT_TRUE(TextMatcher({"(score"}).valid());
}

}  // namespace
}  // namespace orvane
