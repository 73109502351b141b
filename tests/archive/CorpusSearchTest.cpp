// A word query over the index of the sample corpus finds the lines that grep finds in each
// movie, and answers at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>

#include "archive/IndexRun.h"
#include "tests/archive/ArchiveTestSupport.h"
#include "tests/cli/CliRunner.h"

namespace orvane {
namespace {

class SilentObserver final : public IndexObserver {
 public:
  void walked(std::size_t, std::size_t) override {}
  void fileRead(const WalkedFile& file, const FileRecord& record) override {
    if (record.kind == FileKind::Movie) movies.push_back(file.path);
  }
  void fileRemoved(const std::string&) override {}
  void problem(const std::string&) override {}
  void progress(std::size_t, std::size_t) override {}
  std::vector<std::string> movies;
};

std::multiset<std::string> lineSet(const std::string& prefix, const std::string& text) {
  std::multiset<std::string> result;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    result.insert(prefix + text.substr(start, end - start));
    start = end + 1;
  }
  return result;
}

TEST(CorpusSearch, IndexedQueryFindsWhatGrepFindsInEveryMovie) {
  const std::string samples = test::samplesFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample corpus is absent: the search is not compared with grep";
  test::ScratchFolder folder;
  IndexOptions options;
  options.folders = {samples};
  options.archive = folder.file("corpus.sqlite");
  options.jobs = 2;
  options.limits.timeout = std::chrono::minutes(10);
  MovieFileScanner scanner;
  SilentObserver observer;
  static_cast<void>(indexFolders(options, scanner, observer));
  ASSERT_GT(observer.movies.size(), 100u);

  // Words of every era: frame scripts, button handlers, AS3 classes.
  const std::vector<std::string> words = {"getURL", "gotoAndPlay", "_root", "stop", "addEventListener", "Sprite"};
  std::string alternatives;
  std::string query;
  for (const std::string& word : words) {
    alternatives += (alternatives.empty() ? "" : "|") + word;
    query += (query.empty() ? "" : " OR ") + word;
  }
  std::multiset<std::string> expected;
  for (const std::string& movie : observer.movies) {
    const test::CliOutcome grep = test::runOrvaneCli(
        {"grep", movie, "(^|[^A-Za-z0-9_])(" + alternatives + ")([^A-Za-z0-9_]|$)", "--regex", "--ignore-case"});
    expected.merge(lineSet(movie + " : ", grep.out));
  }
  ASSERT_GT(expected.size(), 1000u);

  const auto start = std::chrono::steady_clock::now();
  const test::CliOutcome search = test::runOrvaneCli({"search", options.archive, query});
  const auto took = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(search.status, 0) << search.err;
  const std::multiset<std::string> found = lineSet("", search.out);
  std::vector<std::string> missing;
  std::set_difference(expected.begin(), expected.end(), found.begin(), found.end(), std::back_inserter(missing));
  std::vector<std::string> extra;
  std::set_difference(found.begin(), found.end(), expected.begin(), expected.end(), std::back_inserter(extra));
  EXPECT_TRUE(missing.empty()) << missing.size() << " lines grep finds and the search does not, first " << missing[0];
  EXPECT_TRUE(extra.empty()) << extra.size() << " lines the search finds and grep does not, first " << extra[0];
  EXPECT_LT(took, std::chrono::seconds(1));
}

}  // namespace
}  // namespace orvane
