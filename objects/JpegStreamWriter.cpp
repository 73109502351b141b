#include "objects/JpegStreamWriter.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "movie/BitReader.h"
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

/// Writes `image` with `tables` before its first start of scan (nothing inserted when it
/// has none), then `trailer`.
bool writeMerged(BinaryFile& file, std::span<const std::uint8_t> image, std::span<const std::uint8_t> tables,
                 std::span<const std::uint8_t> trailer) {
  const std::size_t scan = findStartOfScan(image);
  bool written = file.write(image.first(scan));
  if (scan < image.size()) written = written && file.write(tables);
  return written && file.write(image.subspan(scan)) && file.write(trailer);
}

/// Whether `code` starts a frame header (0xC0 to 0xCF other than 0xC4, 0xC8 and 0xCC):
/// only an image stream has one.
bool isFrameHeader(std::uint8_t code) { return (code & 0xF0) == 0xC0 && code != 0xC4 && code != 0xC8 && code != 0xCC; }

/// Markers without a length field: TEM and the restart markers.
bool isStandalone(std::uint8_t code) { return code == 0x01 || (code >= 0xD0 && code <= 0xD7); }

ImageOutcome failure(ScanStatus status) { return ImageOutcome{status, false, false}; }

}  // namespace

std::span<const std::uint8_t> jpegTableBlock(std::span<const std::uint8_t> body) {
  if (beginsWith(body, {kMarker, kStartOfImage})) body = body.subspan(2);
  if (body.size() >= 2 && body[body.size() - 2] == kMarker && body.back() == kEndOfImage)
    body = body.first(body.size() - 2);
  return body;
}

std::size_t findStartOfScan(std::span<const std::uint8_t> data) {
  std::size_t i = 0;
  while (i < data.size()) {
    if (data[i] != kMarker) {
      ++i;
      continue;
    }
    if (i + 1 < data.size() && data[i + 1] == kStartOfScan) return i;
    i += 2;
  }
  return data.size();
}

std::optional<std::size_t> tableStreamLength(std::span<const std::uint8_t> data) {
  if (!beginsWith(data, {kMarker, kStartOfImage})) return std::nullopt;
  std::size_t i = 2;
  while (i + 1 < data.size()) {
    if (data[i] != kMarker) return std::nullopt;  // the segments do not line up: no table stream
    const std::uint8_t code = data[i + 1];
    if (code == kMarker) {  // a fill byte in front of a marker
      ++i;
      continue;
    }
    if (code == kEndOfImage) return i - 2;
    if (code == kStartOfScan || code == kStartOfImage || code == 0x00 || isFrameHeader(code)) return std::nullopt;
    if (isStandalone(code)) {
      i += 2;
      continue;
    }
    if (i + 3 >= data.size()) return std::nullopt;
    const std::size_t length = std::size_t{data[i + 2]} << 8 | data[i + 3];
    if (length < 2) return std::nullopt;
    i += 2 + length;
  }
  return std::nullopt;
}

OwnTablesJpeg splitOwnTables(std::span<const std::uint8_t> jpegData) {
  if (const std::optional<std::size_t> length = tableStreamLength(jpegData); length && *length != 0)
    return {jpegData.subspan(2, *length), jpegData.subspan(2 + *length + 2)};
  if (beginsWith(jpegData, {kMarker, kEndOfImage, kMarker, kStartOfImage}) ||
      beginsWith(jpegData, {kMarker, kStartOfImage, kMarker, kEndOfImage}))
    return {{}, jpegData.subspan(4)};
  return {{}, jpegData};
}

std::span<const std::uint8_t> jpegBeforeAlpha(std::span<const std::uint8_t> body, std::size_t fieldsBetween) {
  BitReader reader(body);
  reader.readU16();
  const std::uint32_t alphaDataOffset = reader.readU32();
  reader.skip(static_cast<std::uint32_t>(fieldsBetween));
  const std::span<const std::uint8_t> rest = reader.bytesAt(reader.position());
  return rest.first(std::min<std::size_t>(alphaDataOffset, rest.size()));
}

ImageOutcome writeDefineBits(const std::string& path, std::span<const std::uint8_t> jpegData,
                             std::span<const std::uint8_t> tables) {
  BinaryFile file;
  if (!file.open(path, BinaryFile::Mode::Create)) return failure(ScanStatus::OpenError);
  const bool written = writeMerged(file, jpegData, tables, {});
  if (!file.close() || !written) return failure(ScanStatus::WriteError);
  return ImageOutcome{ScanStatus::Success, true, true};
}

ImageOutcome writeJpegWithOwnTables(const std::string& path, std::span<const std::uint8_t> jpegData) {
  BinaryFile file;
  if (!file.open(path, BinaryFile::Mode::Create)) return failure(ScanStatus::OpenError);

  const auto [tables, image] = splitOwnTables(jpegData);
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
