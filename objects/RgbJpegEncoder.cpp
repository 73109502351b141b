#include "objects/RgbJpegEncoder.h"

#include <turbojpeg.h>

#include <climits>
#include <span>

#include "objects/BinaryFile.h"

namespace orvane {
namespace {

constexpr int kQuality = 80;

/// The compressed stream, released by TurboJPEG's own allocator.
class CompressedJpeg {
 public:
  ~CompressedJpeg() { tjFree(m_data); }
  unsigned char** data() { return &m_data; }
  unsigned long* size() { return &m_size; }
  std::span<const std::uint8_t> bytes() const { return {m_data, static_cast<std::size_t>(m_size)}; }

 private:
  unsigned char* m_data = nullptr;
  unsigned long m_size = 0;
};

}  // namespace

RgbJpegEncoder::RgbJpegEncoder() : m_handle(tjInitCompress()) {}

RgbJpegEncoder::~RgbJpegEncoder() {
  if (m_handle != nullptr) tjDestroy(m_handle);
}

bool RgbJpegEncoder::WriteRgbJpeg(const std::string& path, const PixelRows& pixels) {
  if (m_handle == nullptr || pixels.data == nullptr || pixels.width == 0 || pixels.height == 0 ||
      pixels.width > INT_MAX || pixels.height > INT_MAX || pixels.pitch > INT_MAX)
    return false;
  const int format = pixels.layout == PixelRows::Layout::Rgb ? TJPF_RGB : TJPF_XRGB;
  CompressedJpeg jpeg;
  if (tjCompress2(m_handle, pixels.data, static_cast<int>(pixels.width), static_cast<int>(pixels.pitch),
                  static_cast<int>(pixels.height), format, jpeg.data(), jpeg.size(), TJSAMP_420, kQuality,
                  0) != 0)
    return false;
  BinaryFile file;
  if (!file.open(path, BinaryFile::Mode::Create)) return false;
  const bool written = file.write(jpeg.bytes());
  if (file.close() && written) return true;
  std::remove(path.c_str());
  return false;
}

}  // namespace orvane
