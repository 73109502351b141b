#include "objects/JpegAlphaPng.h"

#include <turbojpeg.h>

#include <climits>
#include <new>
#include <vector>

#include "objects/LosslessBitmap.h"
#include "objects/PngWriter.h"

namespace orvane {
namespace {

class JpegDecompressor {
 public:
  JpegDecompressor() : m_handle(tjInitDecompress()) {}
  ~JpegDecompressor() {
    if (m_handle != nullptr) tjDestroy(m_handle);
  }
  JpegDecompressor(const JpegDecompressor&) = delete;
  JpegDecompressor& operator=(const JpegDecompressor&) = delete;

  tjhandle get() const { return m_handle; }

 private:
  tjhandle m_handle;
};

}  // namespace

bool writeJpegAlphaPng(const std::string& path, std::span<const std::uint8_t> jpeg,
                       std::span<const std::uint8_t> zlibAlpha) {
  JpegDecompressor decompressor;
  if (decompressor.get() == nullptr || jpeg.empty() || jpeg.size() > ULONG_MAX) return false;
  int width = 0;
  int height = 0;
  int subsampling = 0;
  int colourspace = 0;
  if (tjDecompressHeader3(decompressor.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()), &width, &height,
                          &subsampling, &colourspace) != 0 ||
      width <= 0 || height <= 0 || std::uint64_t(width) * std::uint64_t(height) > kMaxLosslessPixels)
    return false;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::string ignoredError;
  try {
    std::vector<std::uint8_t> pixels(count * 4);
    if (tjDecompress2(decompressor.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()), pixels.data(), width,
                      0, height, TJPF_RGBA, 0) != 0)
      return false;
    const std::optional<InflatedBitmap> alpha = InflateBitmap(zlibAlpha, count, ignoredError);
    if (!alpha) return false;
    for (std::size_t i = 0; i < count; ++i) pixels[i * 4 + 3] = alpha->bytes[i];
    PngPicture picture;
    picture.kind = PngPicture::Kind::Rgba;
    picture.width = static_cast<std::uint32_t>(width);
    picture.height = static_cast<std::uint32_t>(height);
    picture.rows = pixels.data();
    picture.pitch = static_cast<std::size_t>(width) * 4;
    return writePng(path, picture);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace orvane
