#include "archive/IndexRun.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <new>
#include <thread>

#include "archive/ArchiveQueries.h"
#include "archive/Sha256.h"
#include "tests/archive/ArchiveTestSupport.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/ScanFixture.h"

namespace orvane {
namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    result.push_back(text.substr(start, end - start));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return result;
}

class IndexVerb : public ::testing::Test {
 protected:
  test::CliOutcome index(std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments = {"index", folder.file("movies"), "--db", archive, "--jobs", "2"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return test::runOrvaneCli(arguments);
  }
  std::string query(const std::string& sql) const {
    const Database db(archive, Database::Mode::ReadOnly);
    return test::dumpRows(db, sql);
  }

  test::ScratchFolder folder;
  std::string archive = folder.file("archive.sqlite");
};

TEST_F(IndexVerb, RecordsMoviesObjectsTextsAndDamage) {
  ::mkdir(folder.file("movies").c_str(), 0700);
  const std::string movie = folder.file("movies/score.swf");
  test::writeFile(movie, test::scoreMovie());
  // Movies are found by content: a movie under another name, a damaged one, a text file.
  test::writeFile(folder.file("movies/score.dat"), test::scoreMovieVariant(1));
  test::writeFile(folder.file("movies/damaged.swf"), {'F', 'W', 'S', 5, 40, 0, 0, 0, 1, 2});
  test::writeFile(folder.file("movies/notes.txt"), {'h', 'e', 'l', 'l', 'o'});

  const test::CliOutcome outcome = index({"--jsonl"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  // One line per movie, in the order they are done.
  EXPECT_EQ(lines(outcome.out).size(), 3u) << outcome.out;
  const std::string digest = hexDigest(sha256Of(test::scoreMovie()));
  EXPECT_NE(outcome.out.find("{\"path\":\"" + movie + "\",\"status\":\"ok\",\"error\":\"\",\"fileSize\":" +
                             std::to_string(test::scoreMovie().size()) + ",\"scanStatus\":106,\"sha256\":\"" + digest +
                             "\",\"signature\":\"FWS\",\"compression\":\"none\",\"version\":5,"),
            std::string::npos)
      << outcome.out;
  EXPECT_NE(outcome.out.find("{\"path\":\"" + folder.file("movies/damaged.swf") +
                             "\",\"status\":\"damaged\",\"error\":\"ERROR : Invalid File Format: The SWF File is "
                             "Invalid and can not be scanned\""),
            std::string::npos)
      << outcome.out;

  EXPECT_EQ(query("SELECT path, kind FROM files ORDER BY path"),
            folder.file("movies/damaged.swf") + "\tmovie\t\n" + folder.file("movies/notes.txt") + "\tother\t\n" +
                folder.file("movies/score.dat") + "\tmovie\t\n" + movie + "\tmovie\t\n");
  EXPECT_EQ(query("SELECT m.sha256, m.version, m.status FROM movies m JOIN files f ON f.id = m.file_id WHERE f.path = '" +
                  movie + "'"),
            digest + "\t5\tok\t\n");

  // The objects are the scan's, with the texts that `actions --all --mode source` prints.
  test::ScanFixture scanned;
  ASSERT_EQ(scanned.scan(test::scoreMovie()), ScanStatus::Success);
  const TimelineNode& main = scanned.timeline(0);
  const ActionObject& frame = *main.actions[0];
  const std::string objects = query(
      "SELECT o.kind, o.name, o.length, o.sha256 FROM objects o JOIN movies m ON m.id = o.movie_id JOIN files f ON "
      "f.id = m.file_id WHERE f.path = '" + movie + "' AND o.kind = 'action'");
  EXPECT_EQ(objects, "action\t" + frame.describe(false) + "\t" + std::to_string(frame.bytes.size()) + "\t" +
                         hexDigest(sha256Of(frame.bytes)) + "\t\n");
  const test::CliOutcome actions = test::runOrvaneCli({"actions", movie, "--all", "--mode", "source"});
  const std::string firstText = actions.out.substr(actions.out.find('\n') + 1);
  const std::string stored = query(
      "SELECT s.text FROM objects o JOIN text_search s ON s.rowid = o.text_id JOIN movies m ON m.id = o.movie_id JOIN "
      "files f ON f.id = m.file_id WHERE f.path = '" + movie + "' AND o.kind = 'action'");
  EXPECT_EQ(stored, firstText.substr(0, firstText.find("=== ")) + "\t\n");
  // The two copies share one text of each object.
  EXPECT_EQ(query("SELECT count(*) FROM texts"), query("SELECT count(DISTINCT text_id) FROM objects"));
  EXPECT_EQ(query("PRAGMA journal_mode"), "wal\t\n");
}

TEST_F(IndexVerb, SecondRunReadsOnlyWhatChangedAndRemovesWhatWentAway) {
  const std::vector<std::string> movies = test::writeMovies(folder.file("movies"), 12);
  test::CliOutcome outcome = index();
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "Read 12 files: 12 movies (0 damaged, 0 stopped); 0 unchanged, 0 removed\n");

  outcome = index();
  EXPECT_EQ(outcome.out, "Read 0 files: 0 movies (0 damaged, 0 stopped); 12 unchanged, 0 removed\n");

  test::writeFile(movies[3], test::scoreMovieVariant(200));
  test::writeFile(movies[4], test::scoreMovie());  // one byte shorter: the size differs
  ASSERT_EQ(::unlink(movies[11].c_str()), 0);
  outcome = index({"--jsonl"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  const std::vector<std::string> json = lines(outcome.out);
  ASSERT_EQ(json.size(), 3u) << outcome.out;
  EXPECT_EQ(json[2], "{\"path\":\"" + movies[11] + "\",\"status\":\"removed\"}");
  EXPECT_EQ(query("SELECT count(*) FROM files"), "11\t\n");
  EXPECT_EQ(query("SELECT m.sha256 FROM movies m JOIN files f ON f.id = m.file_id WHERE f.path = '" + movies[4] + "'"),
            hexDigest(sha256Of(test::scoreMovie())) + "\t\n");

  // A folder given alone is brought up to date alone: the others' movies stay.
  outcome = test::runOrvaneCli({"index", folder.file("movies/part0"), "--db", archive});
  EXPECT_EQ(outcome.out, "Read 0 files: 0 movies (0 damaged, 0 stopped); 10 unchanged, 0 removed\n");
  EXPECT_EQ(query("SELECT count(*) FROM files"), "11\t\n");
}

TEST_F(IndexVerb, SearchFindsTheLinesGrepFinds) {
  const std::vector<std::string> movies = test::writeMovies(folder.file("movies"), 3);
  ASSERT_EQ(index().status, 0);
  std::string expected;
  for (const std::string& movie : movies) {
    const test::CliOutcome grep =
        test::runOrvaneCli({"grep", movie, "(^|[^A-Za-z0-9_])score([^A-Za-z0-9_]|$)", "--regex", "--ignore-case"});
    for (const std::string& line : lines(grep.out)) expected += movie + " : " + line + "\n";
  }
  ASSERT_FALSE(expected.empty());
  test::CliOutcome outcome = test::runOrvaneCli({"search", archive, "score"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, expected);

  outcome = test::runOrvaneCli({"search", archive, "score", "--limit", "1", "--json"});
  EXPECT_EQ(outcome.out.substr(0, 12), "[{\"movie\":\"/");
  EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '{'), 1);
  EXPECT_EQ(test::runOrvaneCli({"search", archive, "score", "--kind", "button"}).out.find("Sprite Instance"),
            std::string::npos);

  EXPECT_EQ(test::runOrvaneCli({"search", archive, "nothinglikethis"}).status, 1);
  outcome = test::runOrvaneCli({"search", archive, "score AND"});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.err.rfind("orvane-cli: bad query: ", 0), 0u) << outcome.err;
  EXPECT_EQ(test::runOrvaneCli({"search", folder.file("movies/part0/movie0.swf"), "score"}).status, 1);

  // Every object of the three copies is shared by three movies.
  outcome = test::runOrvaneCli({"dupes", archive});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_NE(outcome.out.find(" bytes in 3 movies\n  " + movies[0] + " : "), std::string::npos) << outcome.out;
}

TEST_F(IndexVerb, ThreeShardsMergedEqualOneRun) {
  test::writeMovies(folder.file("movies"), 20);
  std::vector<std::string> shards;
  for (int i = 1; i <= 3; ++i) {
    shards.push_back(folder.file("shard" + std::to_string(i) + ".sqlite"));
    ASSERT_EQ(test::runOrvaneCli({"index", folder.file("movies"), "--db", shards.back(), "--shard",
                                  std::to_string(i) + "/3"})
                  .status,
              0);
  }
  ASSERT_EQ(index().status, 0);
  const std::string merged = folder.file("merged.sqlite");
  const test::CliOutcome outcome = test::runOrvaneCli({"index", "--merge", merged, shards[0], shards[1], shards[2]});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(test::dumpArchive(merged), test::dumpArchive(archive));
  // Each shard took a part, and none took everything.
  EXPECT_NE(test::dumpArchive(shards[0]), test::dumpArchive(archive));

  EXPECT_EQ(test::runOrvaneCli({"index", "--merge", merged, folder.file("movies/part0/movie0.swf")}).status, 1);
  EXPECT_EQ(test::runOrvaneCli({"index", folder.file("movies"), "--db", merged, "--shard", "4/3"}).status, 2);
}

/// Reads most files as movies; some it stalls on, crashes on or runs out of memory on.
class TroubleScanner final : public FileScanner {
 public:
  FileRecord scan(const std::string& path) override {
    if (path.ends_with("slow.swf")) std::this_thread::sleep_for(std::chrono::seconds(30));
    if (path.ends_with("crash.swf")) std::abort();
    if (path.ends_with("huge.swf")) {
      std::vector<char> huge(std::size_t{8} << 30, 1);
      return FileRecord{FileKind::Other, {}, std::to_string(huge.size())};
    }
    return m_movies.scan(path);
  }

 private:
  MovieFileScanner m_movies;
};

class QuietObserver final : public IndexObserver {
 public:
  void walked(std::size_t, std::size_t) override {}
  void fileRead(const WalkedFile& file, const FileRecord& record) override {
    for (const MovieRecord& movie : record.movies)
      statuses += file.path.substr(file.path.rfind('/') + 1) + " " + movieStatusName(movie.status) + " " +
                  movie.error + "\n";
  }
  void fileRemoved(const std::string&) override {}
  void problem(const std::string&) override {}
  void progress(std::size_t, std::size_t) override {}
  std::string statuses;
};

TEST(IndexRun, MoviesOverTheirLimitsAreRecordedAndSkipped) {
  test::ScratchFolder folder;
  for (const char* name : {"a.swf", "crash.swf", "huge.swf", "slow.swf", "z.swf"})
    test::writeFile(folder.file(name), test::scoreMovie());
  IndexOptions options;
  options.folders = {folder.path()};
  options.archive = folder.file("archive.sqlite");
  options.jobs = 2;
  options.limits.timeout = std::chrono::milliseconds(1500);
  options.limits.memoryBytes = std::uint64_t{1} << 30;
  TroubleScanner scanner;
  QuietObserver observer;
  const auto start = std::chrono::steady_clock::now();
  const IndexSummary summary = indexFolders(options, scanner, observer);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(25));
  EXPECT_EQ(summary.read, 5u);
  EXPECT_NE(observer.statuses.find("a.swf ok \n"), std::string::npos) << observer.statuses;
  EXPECT_NE(observer.statuses.find("z.swf ok \n"), std::string::npos) << observer.statuses;
  EXPECT_NE(observer.statuses.find("slow.swf timeout The scan took longer than 1.5 s\n"), std::string::npos)
      << observer.statuses;
  EXPECT_NE(observer.statuses.find("crash.swf crashed The scan stopped with signal 6 (Aborted)\n"), std::string::npos)
      << observer.statuses;
  if (memoryLimitApplies()) {
    EXPECT_NE(observer.statuses.find("huge.swf memory The scan needed more memory than its limit of 1024 MB\n"),
              std::string::npos)
        << observer.statuses;
  }

  // Unchanged, the stopped movies are not read again.
  QuietObserver second;
  const IndexSummary again = indexFolders(options, scanner, second);
  EXPECT_EQ(again.read, 0u);
  EXPECT_EQ(again.unchanged, 5u);
}

TEST(IndexRun, KilledAtAnyMomentTheArchiveStaysWholeAndTheNextRunCompletesIt) {
  test::ScratchFolder folder;
  std::vector<std::string> movies = test::writeMovies(folder.file("movies"), 60);
  const std::string archive = folder.file("archive.sqlite");
  const unsigned seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::srand(seed);
  const auto run = [&] {
    const pid_t child = ::fork();
    if (child == 0) {
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, STDOUT_FILENO);
      ::execl(ORVANE_CLI_PATH, ORVANE_CLI_PATH, "index", folder.file("movies").c_str(), "--db", archive.c_str(),
              "--jobs", "2", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    return child;
  };
  for (int kill = 0; kill < 6; ++kill) {
    const pid_t child = run();
    std::this_thread::sleep_for(std::chrono::milliseconds(std::rand() % 400));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (kill == 2) {  // the folder changes between runs too
      ASSERT_EQ(::unlink(movies.back().c_str()), 0);
      movies.pop_back();
    }
  }
  const pid_t last = run();
  int status = 0;
  ::waitpid(last, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);

  const Database db(archive, Database::Mode::ReadOnly);
  EXPECT_EQ(test::dumpRows(db, "PRAGMA integrity_check"), "ok\t\n");
  std::sort(movies.begin(), movies.end());
  std::string expected;
  for (const std::string& movie : movies) expected += movie + "\tok\t\n";
  EXPECT_EQ(test::dumpRows(db, "SELECT f.path, m.status FROM movies m JOIN files f ON f.id = m.file_id ORDER BY f.path"),
            expected);
  // Every movie is there whole: all the objects of its scan.
  EXPECT_EQ(test::dumpRows(db, "SELECT count(DISTINCT n) FROM (SELECT count(*) AS n FROM objects GROUP BY movie_id)"),
            "1\t\n");
}

}  // namespace
}  // namespace orvane
