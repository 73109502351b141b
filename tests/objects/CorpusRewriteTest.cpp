#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "movie/MovieRewriter.h"
#include "movie/TagWalker.h"
#include "objects/ImageReplacement.h"
#include "objects/Metafile.h"
#include "objects/RgbImage.h"
#include "platform/MessageSink.h"
#include "tests/support/RecordingWriter.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

struct CorpusScan {
  explicit CorpusScan(const std::string& path) {
    walker.setResult(&result);
    walker.setTempFolder("/nonexistent-orvane-temp");
    status = walker.open(path);
    if (status != ScanStatus::Success) return;
    walker.copyHeaderInto(result);
    status = walker.scan(0xFFF);
  }

  test::RecordingWriter writer;
  RecordingMessageSink sink;
  ScanResult result;
  TagWalker walker{writer, sink};
  ScanStatus status = ScanStatus::Success;
};

/// One line per object: kind, type, character id, frame, label and its place relative to
/// the first tag. Frame actions and streaming sounds are numbered by counters that run on
/// across scans, so their id is left out.
std::vector<std::string> objectSummary(const ScanResult& result) {
  std::vector<std::string> lines;
  const auto add = [&](const char* kind, const MovieObject& object) {
    const bool counted = object.typeName == "DefineAction" || object.typeName == "DefineStreamingSound";
    const std::string id = counted ? "-" : std::to_string(object.characterId);
    lines.push_back(std::string(kind) + " " + object.typeName + " " + id + " " +
                    std::to_string(object.frame) + " " + object.label + " " +
                    std::to_string(object.headerOffset - result.headerLength) + " " +
                    std::to_string(object.bodyLength));
  };
  for (const auto& node : result.timelines()) {
    lines.push_back("timeline " + node->displayName(true));
    for (const auto& object : node->images) add("image", *object);
    for (const auto& object : node->sounds) add("sound", *object);
    for (const auto& object : node->actions) add("action", *object);
    for (const auto& object : node->buttons) add("button", *object);
    for (const auto& object : node->instances) add("instance", *object);
  }
  return lines;
}

std::vector<test::SampleMovie> uncompressedSamples() {
  std::vector<test::SampleMovie> movies;
  for (const test::SampleMovie& movie : test::sampleMovies())
    if (movie.signature == "FWS" && movie.status == "ok") movies.push_back(movie);
  return movies;
}

TEST(CorpusRewrite, EveryMovieRewrittenTo320By240At24ScansWithTheSameObjects) {
  const std::vector<test::SampleMovie> movies = uncompressedSamples();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  test::ScratchFolder folder;
  for (const test::SampleMovie& movie : movies) {
    SCOPED_TRACE(movie.path);
    const std::string copy = folder.file("movie.swf");
    std::filesystem::copy_file(movie.path, copy, std::filesystem::copy_options::overwrite_existing);
    const CorpusScan before(copy);
    ASSERT_NE(before.result.timelines().size(), 0u);
    RecordingMessageSink sink;
    ASSERT_TRUE(editMovieProperties(copy, before.result, {320, 240, 24}, sink));
    const CorpusScan after(copy);
    EXPECT_EQ(after.status, before.status);
    EXPECT_EQ(after.result.width, 320);
    EXPECT_EQ(after.result.height, 240);
    EXPECT_EQ(after.result.frameRate, 24u);
    EXPECT_EQ(after.result.version, before.result.version);
    EXPECT_EQ(after.result.frameCount, before.result.frameCount);
    EXPECT_EQ(after.result.fileLength, before.result.fileLength - before.result.headerLength + 23);
    EXPECT_EQ(objectSummary(after.result), objectSummary(before.result));
  }
}

TEST(CorpusRewrite, EveryImageReplacedByAPngBecomesJpeg2WithItsId) {
  const std::vector<test::SampleMovie> movies = uncompressedSamples();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  test::ScratchFolder folder;
  RgbPicture picture;
  picture.width = 16;
  picture.height = 12;
  for (std::uint32_t i = 0; i < 16 * 12; ++i) picture.pixels.insert(picture.pixels.end(), {200, 30, static_cast<std::uint8_t>(i)});
  test::writeFile(folder.file("p.emf"), emfWithBitmap(picture));
  RgbImage converter;
  ASSERT_EQ(converter.Load(folder.file("p.emf")), 0u);
  ASSERT_GT(converter.Write(folder.file("p.png"), ImageFileType::Png), 0u);

  int replaced = 0;
  for (const test::SampleMovie& movie : movies) {
    SCOPED_TRACE(movie.path);
    const std::string copy = folder.file("movie.swf");
    std::filesystem::copy_file(movie.path, copy, std::filesystem::copy_options::overwrite_existing);
    CorpusScan before(copy);
    std::vector<const ImageObject*> images;
    for (const auto& node : before.result.timelines())
      for (const auto& image : node->images)
        if (image->characterId != 0xFFFF) images.push_back(image.get());
    if (images.empty()) continue;
    // From the last tag to the first: a replacement never moves the tags in front of it,
    // so the offsets of the one scan stay valid; only the movie's length changes.
    std::sort(images.begin(), images.end(),
              [](const ImageObject* a, const ImageObject* b) { return a->headerOffset > b->headerOffset; });
    for (const ImageObject* image : images) {
      RecordingMessageSink sink;
      ASSERT_TRUE(replaceImage(copy, before.result, *image, folder.file("p.png"), sink)) << image->characterId;
      before.result.fileLength = static_cast<std::uint32_t>(std::filesystem::file_size(copy));
      ++replaced;
    }
    const CorpusScan after(copy);
    EXPECT_EQ(after.status, before.status);
    std::size_t jpeg2 = 0;
    for (const auto& node : after.result.timelines())
      for (const auto& image : node->images)
        if (image->characterId != 0xFFFF) {
          EXPECT_EQ(image->typeName, "DefineBitsJPEG2");
          ++jpeg2;
        }
    EXPECT_EQ(jpeg2, images.size());
    for (const ImageObject* image : images) {
      const ImageObject* found = after.result.findImage(image->characterId, false);
      ASSERT_NE(found, nullptr);
      EXPECT_EQ(found->typeName, "DefineBitsJPEG2");
    }
  }
  EXPECT_GT(replaced, 300);
}

}  // namespace
}  // namespace orvane
