#include "search/MovieSearch.h"

#include <gtest/gtest.h>

#include "movie/MoviePanels.h"
#include "tests/search/SearchMovie.h"
#include "tests/support/ScanFixture.h"

namespace orvane {
namespace {

TEST(MatchingLines, OneHitPerLineWithItsNumberAndFirstMatch) {
  const TextMatcher matcher({"score"});
  // Lines start at 0, 4, 14 and 20.
  const std::vector<LineHit> hits = matchingLines("one\ntwo score\nthree\nscore score\n", matcher);
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0].line, 2u);
  EXPECT_EQ(hits[0].lineOffset, 4u);
  EXPECT_EQ(hits[0].text, "two score");
  EXPECT_EQ(hits[0].match, (TextMatch{4, 5}));
  EXPECT_EQ(hits[1].line, 4u);
  EXPECT_EQ(hits[1].lineOffset, 20u);
  EXPECT_EQ(hits[1].text, "score score");
  EXPECT_EQ(hits[1].match, (TextMatch{0, 5}));

  const std::vector<LineHit> last = matchingLines("a\nb score", matcher);
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].line, 2u);
  EXPECT_EQ(last[0].text, "b score");
}

class MovieSearchTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(scanned.scan(test::scoreMovie()), ScanStatus::Success); }

  std::vector<SearchHit> search(const SearchQuery& query, TranslationMode mode) {
    std::vector<SearchHit> hits;
    EXPECT_TRUE(MovieSearch(scanned.result, mode).run(TextMatcher(query), [&](const SearchHit& hit) {
      hits.push_back(hit);
    }));
    return hits;
  }

  test::ScanFixture scanned;
};

TEST_F(MovieSearchTest, FindsTheLinesOfFrameActionsButtonsAndClips) {
  const TimelineNode& main = scanned.timeline(0);
  const std::vector<SearchHit> hits = search({"score"}, TranslationMode::ActionScript5);
  ASSERT_EQ(hits.size(), 3u);
  // A frame action's text has ten header lines and a blank one before the statements; a
  // button's or clip's has four, a blank one and the "on (" line.
  EXPECT_EQ(hits[0].object.object, main.actions[0].get());
  EXPECT_EQ(hits[0].object.viewKind, viewkind::kAction);
  EXPECT_EQ(hitText(hits[0]), main.actions[0]->describe(false) + " : 11 : score = \"5\";");
  EXPECT_EQ(hits[1].object.object, main.buttons[0].get());
  EXPECT_EQ(hits[1].object.viewKind, viewkind::kButton);
  EXPECT_EQ(hitText(hits[1]), main.buttons[0]->describe(false) + " : 7 : \tscore = \"0\";");
  EXPECT_EQ(hits[1].line.match, (TextMatch{1, 5}));
  EXPECT_EQ(hits[2].object.viewKind, viewkind::kInstance);
  EXPECT_EQ(hitText(hits[2]), "Sprite Instance ball  : 7 : \tscore = \"9\";");

  // The mode decides the text: version 4 writes "Stop()".
  EXPECT_EQ(search({"stop ();"}, TranslationMode::ActionScript5).size(), 1u);
  EXPECT_TRUE(search({"stop ();"}, TranslationMode::ActionScript4).empty());
  EXPECT_EQ(search({"Set Variable: \"score\""}, TranslationMode::ActionScript4).size(), 3u);
}

TEST_F(MovieSearchTest, ProgressCountsTheObjectsAndCanStopTheSearch) {
  std::vector<std::pair<std::size_t, std::size_t>> steps;
  std::size_t hits = 0;
  const bool finished = MovieSearch(scanned.result, TranslationMode::ActionScript5)
                            .run(TextMatcher({"score"}), [&](const SearchHit&) { ++hits; },
                                 [&](std::size_t done, std::size_t total) {
                                   steps.emplace_back(done, total);
                                   return done < 2;
                                 });
  EXPECT_FALSE(finished);
  EXPECT_EQ(hits, 2u);
  EXPECT_EQ(steps, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 3}, {2, 3}}));
}

}  // namespace
}  // namespace orvane
