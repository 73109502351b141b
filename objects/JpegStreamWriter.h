// The JPEG object files of DefineBits, DefineBitsJPEG2 and DefineBitsJPEG3 tags: the
// image stream copied with the JPEG tables merged in before its start-of-scan marker.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "movie/ObjectFileWriter.h"

namespace orvane {

/// The table segments of a JPEGTables body: the body without its leading start-of-image
/// (0xFF 0xD8) and trailing end-of-image (0xFF 0xD9) markers, where present.
std::span<const std::uint8_t> jpegTableBlock(std::span<const std::uint8_t> body);

/// The offset of the first 0xFF 0xDA (start of scan) in `data`, where every 0xFF is taken
/// together with the byte after it; data.size() when there is none.
std::size_t findStartOfScan(std::span<const std::uint8_t> data);

/// The length of the table stream that JPEG data begins with: the bytes between its
/// 0xFF 0xD8 and its 0xFF 0xD9, found by walking the marker segments (each skipped by its
/// length, so bytes inside a table are never taken for markers). None when the first stream
/// holds a frame header or a scan (an image), when the data does not begin with 0xFF 0xD8,
/// or when its segments do not lead to an end of image inside the data.
std::optional<std::size_t> tableStreamLength(std::span<const std::uint8_t> data);

/// The JPEG data of a DefineBitsJPEG2/3 tag split into the table stream in front (empty
/// when there is none) and the image stream that is written.
struct OwnTablesJpeg {
  std::span<const std::uint8_t> tables;
  std::span<const std::uint8_t> image;
};

/// A non-empty table stream in front is split from the image stream behind it; otherwise an
/// empty-stream pair of older movies (0xFF 0xD9 0xFF 0xD8 or 0xFF 0xD8 0xFF 0xD9) in front is
/// dropped. An empty image leaves nothing to write.
OwnTablesJpeg splitOwnTables(std::span<const std::uint8_t> jpegData);

/// DefineBitsJPEG3 and JPEG4 bodies: the JPEG data after the character id, the
/// AlphaDataOffset and `fieldsBetween` more bytes, as long as AlphaDataOffset says; the
/// alpha data behind it is not part of it.
std::span<const std::uint8_t> jpegBeforeAlpha(std::span<const std::uint8_t> body, std::size_t fieldsBetween);

/// Writes `jpegData` to `path` with `tables` inserted before its first start of scan.
/// 106, 109 when the file cannot be opened, 110 when a write fails.
[[nodiscard]] ImageOutcome writeDefineBits(const std::string& path, std::span<const std::uint8_t> jpegData,
                                           std::span<const std::uint8_t> tables);

/// Writes the JPEG data of a DefineBitsJPEG2/3 tag, split as splitOwnTables says, with the
/// tables merged into the image stream and an end-of-image marker appended. When nothing is
/// left to copy the file is removed and no object collected.
[[nodiscard]] ImageOutcome writeJpegWithOwnTables(const std::string& path, std::span<const std::uint8_t> jpegData);

}  // namespace orvane
