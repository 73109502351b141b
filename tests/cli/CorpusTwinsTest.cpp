// Every compressed movie of the sample corpus reads exactly like its uncompressed twin:
// the scan (text and JSON), the actions in all six modes and the temporary object files.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>

#include "tests/cli/CliRunner.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

/// The JSON document without what is about the file or the run itself: its path, its
/// compression, the folder of the temporary object files, and the ids that frame actions
/// and streaming sounds get from counters that run on over every scan of the process.
std::string withoutFileDetails(const std::string& json, const std::string& tempFolder) {
  std::string out = std::regex_replace(json, std::regex("\"path\":\"[^\"]*\",|,\"compression\":\"[a-z]*\""), "");
  out = std::regex_replace(out, std::regex("(\"kind\":\"action\",\"serial\":\\d+,)\"characterId\":\\d+,"), "$1");
  out = std::regex_replace(
      out, std::regex("\"characterId\":\\d+,(\"frame\":\\d+,\"label\":\"[^\"]*\",\"typeName\":\"DefineStreamingSound\")"),
      "$1");
  for (std::size_t at = out.find(tempFolder); at != std::string::npos; at = out.find(tempFolder, at))
    out.replace(at, tempFolder.size(), "TEMP");
  return out;
}

/// What a movie shows: its scan, its JSON, its actions in every mode, its object files.
struct MovieReading {
  int status = 0;
  std::string scan;
  std::string json;
  std::vector<std::string> actions;
  std::map<std::string, std::vector<std::uint8_t>> objectFiles;
};

MovieReading readMovie(const std::string& movie, const std::string& tempFolder) {
  const auto run = [&](std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--temp", tempFolder});
    return test::runOrvaneCli(arguments);
  };
  MovieReading reading;
  const test::CliOutcome scan = run({"scan", movie});
  reading.status = scan.status;
  reading.scan = scan.out;
  reading.json = withoutFileDetails(run({"scan", movie, "--json"}).out, tempFolder);
  for (const char* mode : {"hex", "char", "int", "function", "as4", "as5"})
    reading.actions.push_back(run({"actions", movie, "--all", "--mode", mode}).out);
  for (const auto& entry : std::filesystem::directory_iterator(tempFolder))
    reading.objectFiles[entry.path().filename().string()] = test::readFile(entry.path().string());
  return reading;
}

TEST(CorpusTwins, CompressedMoviesReadLikeTheirUncompressedTwins) {
  const std::vector<test::SampleMovie> movies = test::sampleMovies();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  int compared = 0;
  for (const test::SampleMovie& movie : movies) {
    if (movie.signature != "CWS" && movie.signature != "ZWS") continue;
    const std::string twin = movie.path.substr(0, movie.path.size() - 4) + ".fws.swf";
    if (!test::fileExists(twin)) continue;
    SCOPED_TRACE(movie.path);
    test::ScratchFolder folder;
    const MovieReading compressed = readMovie(movie.path, folder.file("compressed"));
    const MovieReading plain = readMovie(twin, folder.file("plain"));
    EXPECT_EQ(compressed.status, plain.status);
    EXPECT_FALSE(compressed.scan.empty());
    EXPECT_EQ(compressed.scan, plain.scan);
    EXPECT_EQ(compressed.json, plain.json);
    EXPECT_EQ(compressed.actions, plain.actions);
    EXPECT_EQ(compressed.objectFiles.size(), plain.objectFiles.size());
    EXPECT_TRUE(compressed.objectFiles == plain.objectFiles);
    ++compared;
  }
  EXPECT_EQ(compared, 38);

  const test::CliOutcome malformed =
      test::runOrvaneCli({"scan", test::samplesFolder() + "/ruffle/swf-crate/lzma-malformed-length.swf"});
  EXPECT_EQ(malformed.status, 1);
  EXPECT_EQ(malformed.messages,
            (std::vector<std::string>{"ERROR: An Error Occured: The compressed movie is damaged: its header declares a "
                                      "length of 1, less than the 8 bytes of the header itself"}));
}

}  // namespace
}  // namespace orvane
