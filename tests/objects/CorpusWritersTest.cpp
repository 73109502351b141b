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

/// JPEG2/JPEG3 data with more than one start-of-image marker: whether its first stream is
/// taken as tables or image data is the three-quarters rule's guess, and a guess of image
/// data leaves the first stream's end-of-image in front of the picture.
bool holdsSeveralStreams(const TagWalker& walker, const ImageObject& image) {
  if (image.typeName != "DefineBitsJPEG2" && image.typeName != "DefineBitsJPEG3") return false;
  const std::uint32_t start = image.bodyEnd - image.bodyLength;
  const std::vector<std::uint8_t>& bytes = walker.movie().bytes();
  const std::span<const std::uint8_t> body =
      std::span(bytes).subspan(std::min<std::size_t>(start, bytes.size())).first(
          std::min<std::size_t>(image.bodyLength, bytes.size() - std::min<std::size_t>(start, bytes.size())));
  int starts = 0;
  for (std::size_t i = 0; i + 1 < body.size(); ++i) starts += body[i] == 0xFF && body[i + 1] == 0xD8;
  return starts > 1;
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
    // The player's crash regressions hold deliberately damaged picture data.
    const bool damagedByDesign = entry.path().filename().string().starts_with("crash-");
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
        if (!damagedByDesign && !holdsSeveralStreams(walker, *image)) {
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
