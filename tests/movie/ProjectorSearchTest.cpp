#include "movie/ProjectorSearch.h"

#include <gtest/gtest.h>

#include "tests/platform/RecordingLauncher.h"
#include "tests/support/CompressedMovie.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/TestFiles.h"
#include "platform/MessageSink.h"

namespace orvane {
namespace {

using test::Bytes;

/// "FWS", the version byte and the 32-bit length field.
Bytes header(std::uint8_t version, std::uint32_t size) {
  return {'F', 'W', 'S', version, static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
          static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
}

void append(Bytes& to, const Bytes& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

struct Found {
  std::int32_t version;
  std::uint32_t position;
  std::uint32_t size;
  bool operator==(const Found&) const = default;
};

std::vector<Found> search(const Bytes& executable) {
  test::ScratchFolder folder;
  test::writeFile(folder.file("p.exe"), executable);
  std::vector<MovieCandidate> candidates;
  EXPECT_TRUE(findMovieCandidates(folder.file("p.exe"), candidates));
  std::vector<Found> found;
  for (const MovieCandidate& candidate : candidates) {
    EXPECT_EQ(candidate.itemNumber, static_cast<std::int32_t>(found.size()));
    EXPECT_EQ(candidate.filePath, "none");
    found.push_back({candidate.version, candidate.position, candidate.size});
  }
  return found;
}

TEST(ProjectorSearch, FindsHeadersAtTheirOffsets) {
  Bytes exe(10, 0x90);
  exe.push_back('F');  // 0x46 0x46 0x57 0x53: the match starts at the second 0x46, offset 11
  append(exe, header(5, 40));
  EXPECT_EQ(search(exe), (std::vector<Found>{{5, 11, 40}}));

  // Versions 0 and 6 and sizes below 26 are no candidates; the search resumes 8 bytes on,
  // so a signature that starts inside the skipped bytes is never seen.
  Bytes rejected = {'F', 'W', 'S', 6, 'F', 'W', 'S', 5, 0, 0};
  append(rejected, header(0, 100));   // at 10
  append(rejected, header(3, 25));    // at 18
  append(rejected, header(1, 26));    // at 26: the smallest movie
  EXPECT_EQ(search(rejected), (std::vector<Found>{{1, 26, 26}}));

  // A header whose length is cut off by the end of the file is no candidate.
  Bytes cut = header(4, 30);
  append(cut, {'F', 'W', 'S', 4, 30, 0});
  EXPECT_EQ(search(cut), (std::vector<Found>{{4, 0, 30}}));
  EXPECT_TRUE(search({'F', 'W'}).empty());
}

TEST(ProjectorSearch, CompressedMoviesWhoseStreamInflatesAreCandidates) {
  test::MovieBuilder movie(8);
  movie.doAction({0x07, 0x00}).showFrame().end();
  const Bytes cws = test::cwsMovie(movie.build());
  Bytes exe(1000, 0x90);
  append(exe, cws);  // at 1000
  // No candidates: versions 5 and 51, a stream that inflates to fewer bytes than declared,
  // and a "CWS" in front of bytes that are no zlib stream.
  for (const std::uint8_t version : {5, 51}) {
    Bytes other = cws;
    other[3] = version;
    append(exe, other);
  }
  Bytes longer = cws;
  longer[4] = static_cast<std::uint8_t>(longer[4] + 1);
  append(exe, longer);
  append(exe, {'C', 'W', 'S', 8, 40, 0, 0, 0, 0x12, 0x34, 0x56});
  const std::uint32_t fwsAt = static_cast<std::uint32_t>(exe.size());
  append(exe, header(5, 40));
  exe.resize(exe.size() + 40);
  // The row shows the compressed size: the header and the stream.
  EXPECT_EQ(search(exe), (std::vector<Found>{{8, 1000, static_cast<std::uint32_t>(cws.size())}, {5, fwsAt, 40}}));

  test::ScratchFolder folder;
  test::writeFile(folder.file("p.exe"), exe);
  RecordingMessageSink sink;
  test::RecordingLauncher launcher;
  ProjectorSearch dialog(sink, launcher);
  ASSERT_TRUE(dialog.search(folder.file("p.exe")));
  MovieCandidate* candidate = dialog.find(0);
  ASSERT_NE(candidate, nullptr);
  EXPECT_TRUE(candidate->compressed);
  ASSERT_TRUE(dialog.copyCandidate(*candidate, folder.file("c.swf")));
  EXPECT_EQ(test::readFile(folder.file("c.swf")), cws);
}

TEST(ProjectorSearch, MoviesInsideMoviesAndAcrossReadBlocks) {
  test::MovieBuilder inner(4);
  inner.showFrame().showFrame().end();  // 27 bytes: at least 26
  test::TagList body;
  body.tag(77, inner.build()).showFrame().end();  // a tag that carries a whole movie
  test::MovieBuilder outer(5);
  outer.raw(body.bytes());
  const Bytes outerMovie = outer.build();

  // A few megabytes, with headers on both sides of the 64 KiB read blocks.
  Bytes exe(3 * 1024 * 1024, 0x00);
  const std::uint32_t atBoundary = 65536 - 2;
  std::copy(outerMovie.begin(), outerMovie.end(), exe.begin() + atBoundary);
  const Bytes last = header(2, 1000);  // runs past the end of the file
  std::copy(last.begin(), last.end(), exe.end() - 8);
  const std::uint32_t innerAt = atBoundary + 21 + 2;  // outer header, then the short tag header
  EXPECT_EQ(search(exe), (std::vector<Found>{{5, atBoundary, static_cast<std::uint32_t>(outerMovie.size())},
                                             {4, innerAt, static_cast<std::uint32_t>(inner.build().size())},
                                             {2, static_cast<std::uint32_t>(exe.size() - 8), 1000}}));
}

struct DialogFixture {
  DialogFixture() {
    exe = Bytes(250000, 0xCC);
    test::MovieBuilder movie(5);
    movie.showFrame().showFrame().end();
    moviePart = movie.build();
    append(exe, moviePart);
    append(exe, header(3, 500));  // declared 500 bytes, but the file ends 8 bytes later
    test::writeFile(exePath, exe);
  }

  test::ScratchFolder folder;
  std::string exePath = folder.file("game.exe");
  Bytes exe;
  Bytes moviePart;
  RecordingMessageSink sink;
  test::RecordingLauncher launcher;
  ProjectorSearch dialog{sink, launcher};
};

TEST(ProjectorSearch, RowsAndSavedCandidates) {
  DialogFixture fixture;
  ProjectorSearch& dialog = fixture.dialog;
  ASSERT_TRUE(dialog.search(fixture.exePath));
  ASSERT_EQ(dialog.candidates().size(), 2u);
  EXPECT_EQ(ProjectorSearch::rowTexts(dialog.candidates()[0]),
            (std::vector<std::string>{"0", "5", "250000", std::to_string(fixture.moviePart.size())}));
  EXPECT_FALSE(dialog.previewEnabled(0));

  // Save Movie As: the selection, then the chosen name.
  EXPECT_EQ(dialog.candidateToSave(std::nullopt), nullptr);
  EXPECT_EQ(dialog.candidateToSave(7), nullptr);
  MovieCandidate* first = dialog.candidateToSave(0);
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(dialog.saveCandidateAs(*first, "x"));
  const auto saved = dialog.saveCandidateAs(*first, fixture.folder.file("first.abc"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(*saved, fixture.folder.file("first.swf"));
  EXPECT_EQ(test::readFile(*saved), fixture.moviePart);
  EXPECT_TRUE(dialog.previewEnabled(0));
  EXPECT_EQ(dialog.scanCandidate(0, fixture.folder.path()), *saved);

  // The candidate that runs past the end is saved up to the end of the file.
  const auto truncated = dialog.saveCandidateAs(*dialog.find(1), fixture.folder.file("second.swf"));
  ASSERT_TRUE(truncated);
  EXPECT_EQ(test::readFile(*truncated), header(3, 500));

  const std::vector<std::string> texts = {"Error : No Scan Result Selected",
                                          "Error : Unable to find scan object, Please re-scan the file",
                                          "Error, save path to short or not valid"};
  ASSERT_EQ(fixture.sink.messages().size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(fixture.sink.messages()[i].text, texts[i]);
}

TEST(ProjectorSearch, ScanPreviewAndRefusedCopies) {
  DialogFixture fixture;
  ProjectorSearch& dialog = fixture.dialog;
  ASSERT_TRUE(dialog.search(fixture.exePath));

  // Never saved: scanned through orvnTMP.swf in the temp folder.
  const auto scanned = dialog.scanCandidate(0, fixture.folder.path());
  ASSERT_TRUE(scanned);
  EXPECT_EQ(*scanned, fixture.folder.path() + "/orvnTMP.swf");
  EXPECT_EQ(test::readFile(*scanned), fixture.moviePart);

  dialog.previewCandidate(1);  // not saved yet
  dialog.previewCandidate(0);
  fixture.launcher.startSucceeds = false;
  dialog.previewCandidate(0);
  EXPECT_EQ(fixture.launcher.started,
            (std::vector<std::vector<std::string>>(2, {"xdg-open", fixture.folder.path() + "/orvnTMP.swf"})));

  // A candidate saved over the executable itself is refused and the executable stays whole.
  MovieCandidate& second = *dialog.find(1);
  EXPECT_FALSE(dialog.copyCandidate(second, fixture.exePath));
  EXPECT_EQ(second.filePath, "none");
  EXPECT_EQ(test::readFile(fixture.exePath), fixture.exe);
  EXPECT_FALSE(dialog.scanCandidate(1, fixture.folder.file("no/such/folder")));
  EXPECT_FALSE(dialog.scanCandidate(9, fixture.folder.path()));

  const std::vector<std::string> texts = {
      "Error : Unable to find file",
      "Error : Unable to execute file, please open the file through explorer",
      "Error : I\\O destination File could not be open for writing, disk may be full or write preotected",
      "Error : I\\O destination File could not be open for writing, disk may be full or write preotected",
      "Error Creating Temp File, Unable to continue",
      "Error : Unable to find scan object, Unable to continue the file"};
  ASSERT_EQ(fixture.sink.messages().size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(fixture.sink.messages()[i].text, texts[i]);
}

TEST(ProjectorSearch, EmptyOrUnreadableExecutablesCloseTheDialog) {
  DialogFixture fixture;
  test::writeFile(fixture.exePath, Bytes(1000, 'F'));
  EXPECT_FALSE(fixture.dialog.search(fixture.exePath));
  EXPECT_FALSE(fixture.dialog.search(fixture.folder.file("missing.exe")));
  ASSERT_EQ(fixture.sink.messages().size(), 3u);
  EXPECT_EQ(fixture.sink.messages()[0].text, "No Valid SWF files Found in EXE file");
  EXPECT_EQ(fixture.sink.messages()[1].text, "Error : Unable to open source file for scanning");
  EXPECT_EQ(fixture.sink.messages()[2].text, "No Valid SWF files Found in EXE file");
}

TEST(ProjectorSearch, SwfExtensionRule) {
  EXPECT_EQ(withSwfExtension("clip"), "clip.swf");
  EXPECT_EQ(withSwfExtension("clip.SWF"), "clip.SWF");
  EXPECT_EQ(withSwfExtension("clip.abc"), "clip.swf");
  EXPECT_EQ(withSwfExtension("a.bc"), "a.bc.swf");
  EXPECT_EQ(withSwfExtension("dir.x/clip"), "dir.x/clip.swf");
}

}  // namespace
}  // namespace orvane
