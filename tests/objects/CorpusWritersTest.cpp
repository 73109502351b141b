#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "movie/TagWalker.h"
#include "objects/ObjectFileWriters.h"
#include "platform/MessageSink.h"
#include "tests/objects/ObjectTestSupport.h"

namespace orvane {
namespace {

bool isUncompressedMovie(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  char signature[3] = {};
  in.read(signature, 3);
  return in && signature[0] == 'F' && signature[1] == 'W' && signature[2] == 'S';
}

void expectConsistentWave(const std::string& path) {
  const std::vector<std::uint8_t> wave = test::readFile(path);
  ASSERT_GE(wave.size(), 44u) << path;
  EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF") << path;
  EXPECT_EQ(test::u32At(wave, 4), wave.size() - 8) << path;
  EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ") << path;
  const std::uint16_t channels = test::u16At(wave, 22);
  const std::uint16_t bits = test::u16At(wave, 34);
  EXPECT_EQ(test::u16At(wave, 32), channels * (bits / 8)) << path;
  EXPECT_EQ(test::u32At(wave, 28), test::u32At(wave, 24) * test::u16At(wave, 32)) << path;
  EXPECT_EQ(test::u32At(wave, 40), wave.size() - 44) << path;
}

TEST(CorpusWriters, EveryImageAndSoundOfTheSampleMoviesIsWritten) {
  const std::string samples = test::samplesFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample corpus folder is absent";
  std::size_t movies = 0;
  std::size_t jpegs = 0;
  std::size_t waves = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".swf" || !isUncompressedMovie(entry.path())) continue;
    // A player's crash regression with deliberately damaged Huffman tables: it only has
    // to be scanned without harm.
    const bool damagedByDesign = entry.path().filename().string().starts_with("crash-0.8.0-huffmann-table-5");
    SCOPED_TRACE(entry.path().string());
    test::ScratchFolder folder;
    ObjectFileWriters writers;
    RecordingMessageSink sink;
    ScanResult result;
    TagWalker walker(writers, sink);
    walker.setResult(&result);
    walker.setTempFolder(folder.path());
    if (walker.open(entry.path().string()) != ScanStatus::Success) continue;
    ++movies;
    (void)walker.scan(0xFFF);
    for (const auto& timeline : result.timelines()) {
      for (const auto& image : timeline->images) {
        if (!image->viewable) continue;
        ASSERT_TRUE(test::fileExists(image->tempFilePath)) << image->tempFilePath;
        if (!damagedByDesign) {
          EXPECT_TRUE(test::decodeJpeg(test::readFile(image->tempFilePath)))
              << image->typeName << " " << image->characterId << " does not decode";
        }
        ++jpegs;
      }
      for (const auto& sound : timeline->sounds) {
        if (!sound->hasFile || sound->tempFilePath.ends_with(".mp3")) continue;
        expectConsistentWave(sound->tempFilePath);
        ++waves;
      }
    }
  }
  RecordProperty("movies", static_cast<int>(movies));
  RecordProperty("jpegs", static_cast<int>(jpegs));
  RecordProperty("waves", static_cast<int>(waves));
  EXPECT_GT(movies, 0u);
}

}  // namespace
}  // namespace orvane
