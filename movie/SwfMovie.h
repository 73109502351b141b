// One uncompressed movie held in memory, with its decoded header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "movie/BitReader.h"
#include "movie/MovieSource.h"
#include "movie/ScanStatus.h"
#include "movie/SwfRecords.h"

namespace orvane {

class MessageSink;

class SwfMovie {
 public:
  /// Loads the movie through MovieSource (FWS, CWS or ZWS) and decodes its header. A file
  /// that cannot be opened shows its path through `sink` (when given) and gives 109; a
  /// damaged compressed movie gives 113 with damage() saying how; anything else that is not
  /// a complete movie gives 107. After a failure the movie holds no bytes and no header values.
  [[nodiscard]] ScanStatus open(const std::string& path, MessageSink* sink);
  /// Decodes an uncompressed "FWS" image already in memory the same way.
  [[nodiscard]] ScanStatus openBytes(std::vector<std::uint8_t> bytes, const std::string& path,
                                     MovieCompression compression = MovieCompression::None);

  /// How the file was stored; the bytes are always the uncompressed image.
  MovieCompression compression() const { return m_compression; }
  /// After 113 from open: the message that says what is wrong with the compressed movie.
  const std::string& damage() const { return m_damage; }

  const std::string& path() const { return m_path; }
  const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
  BitReader& reader() { return m_reader; }

  std::uint32_t fileLength() const { return m_fileLength; }
  std::uint16_t version() const { return m_version; }
  std::int32_t width() const { return m_width; }
  std::int32_t height() const { return m_height; }
  /// The header's frame rectangle, twips: the stage's top left corner need not be 0, 0.
  const SwfRect& frameRect() const { return m_frameRect; }
  std::uint32_t frameRate() const { return m_frameRate; }
  /// The frame rate as stored: 8.8 fixed point (0x0C80 is 12.5 frames per second).
  std::uint16_t fixedFrameRate() const { return m_fixedFrameRate; }
  std::uint16_t frameCount() const { return m_frameCount; }
  std::uint32_t firstTagOffset() const { return m_firstTagOffset; }

  static constexpr std::uint32_t kHeaderStart = 8;
  static constexpr std::uint32_t kMinimumLength = 21;

 private:
  void forget();
  [[nodiscard]] ScanStatus decodeHeader();

  std::string m_path;
  std::vector<std::uint8_t> m_bytes;
  BitReader m_reader;
  std::uint32_t m_fileLength = 0;
  std::uint16_t m_version = 0;
  std::int32_t m_width = 0;
  std::int32_t m_height = 0;
  SwfRect m_frameRect;
  std::uint32_t m_frameRate = 0;
  std::uint16_t m_fixedFrameRate = 0;
  std::uint16_t m_frameCount = 0;
  std::uint32_t m_firstTagOffset = 0;
  MovieCompression m_compression = MovieCompression::None;
  std::string m_damage;
};

/// Reads the file length field of an 8-byte movie header; 0 when `header` is not "FWS".
std::uint32_t declaredMovieLength(const std::uint8_t* header);

}  // namespace orvane
