#include "objects/JpegStreamWriter.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "objects/BinaryFile.h"

namespace orvane {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::array<std::uint8_t, 2> kEndOfImageMarker = {kMarker, kEndOfImage};

bool beginsWith(std::span<const std::uint8_t> data, std::initializer_list<std::uint8_t> prefix) {
  return data.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), data.begin());
}

/// The position after the first marker pair 0xFF `code`, pairs taken whole; data.size()
/// when there is none.
std::size_t findMarker(std::span<const std::uint8_t> data, std::size_t from, std::uint8_t code) {
  std::size_t i = from;
  while (i < data.size()) {
    if (data[i] != kMarker) {
      ++i;
      continue;
    }
    if (i + 1 < data.size() && data[i + 1] == code) return i;
    i += 2;
  }
  return data.size();
}

/// Writes `image` with `tables` before its first start of scan (nothing inserted when it
/// has none), then `trailer`.
bool writeMerged(BinaryFile& file, std::span<const std::uint8_t> image, std::span<const std::uint8_t> tables,
                 std::span<const std::uint8_t> trailer) {
  const std::size_t scan = findStartOfScan(image);
  bool written = file.write(image.first(scan));
  if (scan < image.size()) written = written && file.write(tables);
  return written && file.write(image.subspan(scan)) && file.write(trailer);
}

/// Whether `data` holds a frame header (a start-of-frame marker 0xFF 0xC0 to 0xCF other
/// than 0xC4, 0xC8 and 0xCC), pairs taken whole: only an image stream has one.
bool containsFrameHeader(std::span<const std::uint8_t> data) {
  for (std::size_t i = 0; i + 1 < data.size();) {
    if (data[i] != kMarker) {
      ++i;
      continue;
    }
    const std::uint8_t code = data[i + 1];
    if ((code & 0xF0) == 0xC0 && code != 0xC4 && code != 0xC8 && code != 0xCC) return true;
    i += 2;
  }
  return false;
}

ImageOutcome failure(ScanStatus status) { return ImageOutcome{status, false, false}; }

}  // namespace

std::span<const std::uint8_t> jpegTableBlock(std::span<const std::uint8_t> body) {
  if (beginsWith(body, {kMarker, kStartOfImage})) body = body.subspan(2);
  if (body.size() >= 2 && body[body.size() - 2] == kMarker && body.back() == kEndOfImage)
    body = body.first(body.size() - 2);
  return body;
}

std::size_t findStartOfScan(std::span<const std::uint8_t> data) { return findMarker(data, 0, kStartOfScan); }

std::size_t firstStreamLength(std::span<const std::uint8_t> data) {
  if (!beginsWith(data, {kMarker, kStartOfImage})) return 0;
  return std::min(findMarker(data, 2, kEndOfImage), data.size()) - 2;
}

ImageOutcome writeDefineBits(const std::string& path, std::span<const std::uint8_t> jpegData,
                             std::span<const std::uint8_t> tables) {
  BinaryFile file;
  if (!file.open(path, BinaryFile::Mode::Create)) return failure(ScanStatus::OpenError);
  const bool written = writeMerged(file, jpegData, tables, {});
  if (!file.close() || !written) return failure(ScanStatus::WriteError);
  return ImageOutcome{ScanStatus::Success, true, true};
}

ImageOutcome writeJpegWithOwnTables(const std::string& path, std::span<const std::uint8_t> jpegData,
                                    std::uint64_t referenceLength) {
  BinaryFile file;
  if (!file.open(path, BinaryFile::Mode::Create)) return failure(ScanStatus::OpenError);

  std::span<const std::uint8_t> tables;
  std::span<const std::uint8_t> image = jpegData;
  const std::uint64_t first = firstStreamLength(jpegData);
  // A first stream with a frame header is an image (a JFIF thumbnail ends before the main
  // picture does), never a table stream, however short it is.
  if (first != 0 && referenceLength * 3 > first * 4 && !containsFrameHeader(jpegData.subspan(2, first))) {
    tables = jpegData.subspan(2, first);
    image = jpegData.subspan(std::min<std::size_t>(jpegData.size(), 2 + first + 2));
  } else if (beginsWith(jpegData, {kMarker, kEndOfImage, kMarker, kStartOfImage}) ||
             beginsWith(jpegData, {kMarker, kStartOfImage, kMarker, kEndOfImage})) {
    image = jpegData.subspan(4);
  }

  if (image.empty()) {
    const bool closed = file.close();
    std::remove(path.c_str());
    return closed ? ImageOutcome{ScanStatus::Success, false, false} : failure(ScanStatus::WriteError);
  }
  const bool written = writeMerged(file, image, tables, kEndOfImageMarker);
  if (!file.close() || !written) return failure(ScanStatus::WriteError);
  return ImageOutcome{ScanStatus::Success, true, true};
}

}  // namespace orvane
