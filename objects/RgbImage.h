// Pictures of many file formats read into 24-bit RGB and written back out (over Magick++).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "objects/ImageFileType.h"
#include "objects/Metafile.h"

namespace orvane {

/// Error codes keep the numbers whose texts ErrorText gives: 0 no error, 1 out of memory,
/// 2 file open, 3 file read, 4 file write, 5 bad parameter, 6 bad BMP, 9 bad JPEG,
/// 15 bad PNG, 20 invalid TIFF, 22 invalid PCX, 27 invalid metafile, 30 output buffer too
/// small, 32 bad TGA.
class RgbImage {
 public:
  /// The type guessed from the file's content, else from its extension; None without either.
  static ImageFileType DetectType(const std::string& path);
  /// Reads the picture (type from DetectType); returns the error code, 0 on success. A type
  /// that cannot be read (None, WBMP) gives 0 and no picture.
  [[nodiscard]] std::uint32_t Load(const std::string& path);
  /// Writes the picture as `type`: the number of bytes written, 0 on failure (see
  /// lastError()), 5 when no picture is loaded. A type without a writer writes nothing
  /// and gives 0.
  [[nodiscard]] std::uint32_t Write(const std::string& path, ImageFileType type);
  /// The same into `buffer`; a picture that does not fit fails with error 30 and leaves
  /// no partial stream behind.
  [[nodiscard]] std::uint32_t WriteToMemory(std::span<std::uint8_t> buffer, ImageFileType type);
  /// The text of an error code; "Error #<code>!" for a code without one.
  static std::string ErrorText(std::uint32_t code);

  bool hasPicture() const { return !m_picture.pixels.empty(); }
  std::uint32_t width() const { return m_picture.width; }
  std::uint32_t height() const { return m_picture.height; }
  /// Rows of width x 3 bytes, R, G, B.
  const std::vector<std::uint8_t>& pixels() const { return m_picture.pixels; }
  std::uint32_t lastError() const { return m_lastError; }

 private:
  std::uint32_t fail(std::uint32_t code) {
    m_lastError = code;
    return 0;
  }
  /// The encoded file, or an empty buffer with m_lastError set.
  std::vector<std::uint8_t> encode(ImageFileType type);

  RgbPicture m_picture;
  std::uint32_t m_lastError = 0;
};

}  // namespace orvane
