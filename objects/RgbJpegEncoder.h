// JPEG encoding of pixel rows for the object files of lossless bitmaps (TurboJPEG).
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

/// Rows of 8-bit pixels; `pitch` bytes from one row to the next.
struct PixelRows {
  enum class Layout { Rgb, Xrgb };  // Xrgb: a fourth byte in front of R, G, B, ignored

  const std::uint8_t* data = nullptr;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::size_t pitch = 0;
  Layout layout = Layout::Rgb;
};

/// Encodes at quality 80 with 4:2:0 chroma subsampling. Keeps one encoder instance for
/// all its pictures; not for use by two threads at once.
class RgbJpegEncoder {
 public:
  RgbJpegEncoder();
  ~RgbJpegEncoder();
  RgbJpegEncoder(const RgbJpegEncoder&) = delete;
  RgbJpegEncoder& operator=(const RgbJpegEncoder&) = delete;

  /// Writes the JPEG file; false (and no file) when the picture cannot be encoded (for
  /// example a width or height of 0), true only when the whole file was written.
  [[nodiscard]] bool WriteRgbJpeg(const std::string& path, const PixelRows& pixels);

 private:
  void* m_handle = nullptr;
};

}  // namespace orvane
