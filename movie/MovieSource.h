// A movie file's bytes turned into the uncompressed movie image that SwfMovie reads.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "movie/ScanStatus.h"

namespace orvane {

enum class MovieCompression { None, Zlib, Lzma };

/// "none", "zlib" or "lzma".
const char* compressionName(MovieCompression compression);
/// The compression the first three bytes name ("FWS", "CWS", "ZWS"); none for any other
/// bytes or fewer than three.
std::optional<MovieCompression> compressionOfSignature(std::span<const std::uint8_t> header);

/// Turns a movie file into its uncompressed image in one pass. An FWS file is used as it is,
/// up to its declared length. A CWS (zlib) or ZWS (LZMA) file becomes its first eight bytes
/// with the signature "FWS" (version and declared length kept), then the inflated body, in
/// one buffer allocated once from the declared length; the stream must fill it exactly.
/// Nothing half-made is kept after a failure. Whether the image is a readable movie (its
/// header, its tags) is left to SwfMovie.
class MovieSource {
 public:
  static constexpr std::uint32_t kLargestImage = 1u << 30;
  static constexpr std::uint32_t kLargestDictionary = 256u << 20;

  /// Reads the file and decodes it: 109 when it cannot be opened, 107 when it is no movie
  /// (fewer than 8 bytes, another signature, an FWS movie below 21 bytes or shorter than
  /// it declares), 108 when memory runs out, 113 when a compressed movie is damaged (with
  /// damage() saying how).
  [[nodiscard]] ScanStatus load(const std::string& path);
  /// The same for the whole file already in memory.
  [[nodiscard]] ScanStatus decode(std::span<const std::uint8_t> file);

  MovieCompression compression() const { return m_compression; }
  /// After 113: "The compressed movie is damaged: " followed by what is wrong.
  const std::string& damage() const { return m_damage; }
  const std::vector<std::uint8_t>& image() const { return m_image; }
  /// Hands the image over; the source is empty afterwards.
  std::vector<std::uint8_t> takeImage() { return std::move(m_image); }

 private:
  void reset();
  [[nodiscard]] ScanStatus damaged(const std::string& what);
  [[nodiscard]] ScanStatus allocateImage(std::span<const std::uint8_t> header);
  [[nodiscard]] ScanStatus decodeCompressed(std::span<const std::uint8_t> file);
  [[nodiscard]] ScanStatus inflateBody(std::span<const std::uint8_t> stream);
  [[nodiscard]] ScanStatus decodeLzmaBody(std::span<const std::uint8_t> file);

  MovieCompression m_compression = MovieCompression::None;
  std::string m_damage;
  std::vector<std::uint8_t> m_image;
};

}  // namespace orvane
