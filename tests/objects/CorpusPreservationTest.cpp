#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "movie/BitReader.h"
#include "movie/ScanOptions.h"
#include "movie/TagWalker.h"
#include "objects/ObjectFileWriters.h"
#include "objects/PreservedForms.h"
#include "platform/MessageSink.h"
#include "tests/objects/PreservationTestSupport.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<std::filesystem::path> uncompressedMovies(const std::string& samples) {
  std::vector<std::filesystem::path> movies;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".swf") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    char signature[3] = {};
    in.read(signature, 3);
    if (in && signature[0] == 'F' && signature[1] == 'W' && signature[2] == 'S') movies.push_back(entry.path());
  }
  return movies;
}

/// A scan of one corpus movie with the real writers.
struct CorpusScan {
  CorpusScan(const std::filesystem::path& path, std::uint32_t flags) {
    walker.setResult(&result);
    walker.setTempFolder(temp.path());
    opened = walker.open(path.string()) == ScanStatus::Success;
    if (opened) (void)walker.scan(flags);
  }

  std::span<const std::uint8_t> body(const MovieObject& object) const {
    return std::span(walker.movie().bytes()).subspan(object.bodyEnd - object.bodyLength, object.bodyLength);
  }

  test::ScratchFolder temp;
  ObjectFileWriters writers;
  RecordingMessageSink sink;
  ScanResult result;
  TagWalker walker{writers, sink};
  bool opened = false;
};

/// The RGBA pixels of a lossless bitmap tag as the format describes them (15-bit ones with
/// 5-bit channels), inflated by zlib
/// on its own; none when the zlib stream is damaged (those bitmaps are resynchronised by
/// the writer, a different matter).
std::optional<Bytes> expectedPixels(std::span<const std::uint8_t> body, bool alpha, std::uint32_t& width,
                                    std::uint32_t& height) {
  BitReader reader(body);
  reader.readU16();
  const std::uint8_t format = reader.readU8();
  width = reader.readU16();
  height = reader.readU16();
  const std::size_t entries = format == 3 ? std::size_t{reader.readU8()} + 1 : 0;
  const std::size_t entryBytes = alpha ? 4 : 3;
  const std::size_t rowBytes = format == 3   ? (width + 3) / 4 * 4
                               : format == 4 ? (width * 2 + 3) / 4 * 4
                                             : std::size_t{width} * 4;
  Bytes raw(entries * entryBytes + rowBytes * height);
  const std::span<const std::uint8_t> zlibData = reader.bytesAt(reader.position());
  uLongf produced = raw.size();
  if (uncompress(raw.data(), &produced, zlibData.data(), zlibData.size()) != Z_OK) return std::nullopt;
  Bytes pixels;
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint8_t* row = raw.data() + entries * entryBytes + y * rowBytes;
    for (std::uint32_t x = 0; x < width; ++x) {
      if (format == 3) {
        const std::size_t index = row[x];
        if (index >= entries) {
          pixels.insert(pixels.end(), {0, 0, 0, static_cast<std::uint8_t>(alpha ? 0 : 255)});
          continue;
        }
        const std::uint8_t* entry = raw.data() + index * entryBytes;
        pixels.insert(pixels.end(), {entry[0], entry[1], entry[2], static_cast<std::uint8_t>(alpha ? entry[3] : 255)});
      } else if (format == 4) {
        const unsigned value = (row[x * 2] << 8) | row[x * 2 + 1];
        // The five bits of each channel: what a reader recovers from the PNG by its sBIT.
        for (const unsigned channel : {(value >> 10) & 31u, (value >> 5) & 31u, value & 31u})
          pixels.push_back(static_cast<std::uint8_t>(channel));
        pixels.push_back(255);
      } else {
        const std::uint8_t* p = row + x * 4;
        const auto straight = [&](std::uint8_t c) {
          if (!alpha) return c;
          if (p[0] == 0) return std::uint8_t{0};
          return static_cast<std::uint8_t>(std::min(255L, std::lround(c * 255.0 / p[0])));
        };
        pixels.insert(pixels.end(), {straight(p[1]), straight(p[2]), straight(p[3]), alpha ? p[0] : std::uint8_t{255}});
      }
    }
  }
  return pixels;
}

TEST(CorpusPreservation, EveryLosslessBitmapDecodesFromItsPngToTheInflatedPixels) {
  const std::string samples = test::samplesFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample corpus folder is absent";
  std::size_t bitmaps = 0;
  std::size_t damaged = 0;
  for (const auto& path : uncompressedMovies(samples)) {
    SCOPED_TRACE(path.string());
    CorpusScan scan(path, scanflag::kLossless | scanflag::kLossless2);
    if (!scan.opened) continue;
    const PreservedForms forms(PreservationSource::of(scan.walker.movie()));
    for (const auto& timeline : scan.result.timelines()) {
      for (const auto& image : timeline->images) {
        const bool alpha = image->typeName == "DefineBitsLossless2";
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        const std::optional<Bytes> expected = expectedPixels(scan.body(*image), alpha, width, height);
        if (!expected) {
          ++damaged;
          continue;
        }
        const std::string png = scan.temp.file("bitmap.png");
        ASSERT_EQ(forms.name(*image), "swfextract" + std::to_string(image->characterId) + ".png");
        ASSERT_TRUE(forms.write(*image, png)) << image->characterId;
        auto decoded = test::readPng(png);
        ASSERT_TRUE(decoded) << image->characterId;
        if (decoded->significantRed == 5) {
          for (std::size_t i = 0; i < decoded->rgba.size(); ++i)
            if (i % 4 != 3) decoded->rgba[i] = static_cast<std::uint8_t>(decoded->rgba[i] >> 3);
        }
        EXPECT_EQ(decoded->width, width);
        EXPECT_EQ(decoded->height, height);
        EXPECT_TRUE(decoded->rgba == *expected) << image->typeName << " " << image->characterId;
        ++bitmaps;
      }
    }
  }
  RecordProperty("bitmaps", static_cast<int>(bitmaps));
  RecordProperty("damaged", static_cast<int>(damaged));
  EXPECT_GT(bitmaps, 10u);
}

TEST(CorpusPreservation, EveryFlvWrittenOpensInFfprobe) {
  const std::string samples = test::samplesFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample corpus folder is absent";
  if (!test::hasProgram("ffprobe")) GTEST_SKIP() << "ffprobe is not installed";
  std::size_t files = 0;
  for (const auto& path : uncompressedMovies(samples)) {
    SCOPED_TRACE(path.string());
    CorpusScan scan(path, scanflag::kStreamingSounds);
    if (!scan.opened) continue;
    const PreservedForms forms(PreservationSource::of(scan.walker.movie()));
    const auto probe = [&](const auto& object) {
      const std::string name = forms.name(object);
      if (name.empty()) return;
      const std::string flv = scan.temp.file(name);
      ASSERT_TRUE(forms.write(object, flv)) << name;
      const test::CommandOutput probed = test::runCommand("ffprobe -v error '" + flv + "'");
      EXPECT_EQ(probed.status, 0) << name << ": " << probed.output;
      EXPECT_EQ(probed.output, "") << name;
      ++files;
    };
    for (const auto& timeline : scan.result.timelines()) {
      for (const auto& sound : timeline->sounds) probe(*sound);
      for (const auto& video : timeline->videos) probe(*video);
    }
  }
  RecordProperty("flvs", static_cast<int>(files));
  EXPECT_GT(files, 0u);
}

}  // namespace
}  // namespace orvane
