#include "objects/MovieBitmaps.h"

#include <cstdio>

#include "platform/FileTools.h"

namespace orvane {

namespace {

std::uint32_t bigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[at + i];
  return value;
}

bool pngSize(const std::vector<std::uint8_t>& bytes, std::uint32_t& width, std::uint32_t& height) {
  // The signature, then IHDR's length and type, then its width and height.
  if (bytes.size() < 24 || bytes[0] != 0x89 || bytes[1] != 'P') return false;
  width = bigEndian(bytes, 16, 4);
  height = bigEndian(bytes, 20, 4);
  return true;
}

bool jpegSize(const std::vector<std::uint8_t>& bytes, std::uint32_t& width, std::uint32_t& height) {
  // Marker segments from the start of image to the first frame header (SOF0..SOF15 but
  // DHT, JPG and DAC); each is stepped over by its length.
  std::size_t i = 2;
  while (i + 4 <= bytes.size()) {
    if (bytes[i] != 0xFF) return false;
    const std::uint8_t marker = bytes[i + 1];
    if (marker == 0xD8 || marker == 0xD9 || marker == 0xFF) {
      i += marker == 0xFF ? 1 : 2;
      continue;
    }
    const std::uint32_t length = bigEndian(bytes, i + 2, 2);
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (i + 9 > bytes.size()) return false;
      height = bigEndian(bytes, i + 5, 2);
      width = bigEndian(bytes, i + 7, 2);
      return true;
    }
    i += 2 + length;
  }
  return false;
}

}  // namespace

bool pictureSize(const std::vector<std::uint8_t>& bytes, std::uint32_t& width, std::uint32_t& height) {
  if (pngSize(bytes, width, height)) return true;
  return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8 && jpegSize(bytes, width, height);
}

const EmbeddedBitmap* MovieBitmaps::bitmap(std::uint16_t id) {
  auto found = m_bitmaps.find(id);
  if (found == m_bitmaps.end()) {
    const ImageObject* image = m_result.findImage(id, false);
    found = m_bitmaps.emplace(id, image != nullptr ? load(*image) : std::nullopt).first;
  }
  return found->second ? &*found->second : nullptr;
}

std::optional<EmbeddedBitmap> MovieBitmaps::load(const ImageObject& image) const {
  EmbeddedBitmap bitmap;
  const std::string preserved = m_forms.name(image);
  if (!preserved.empty()) {
    if (m_scratchFolder.empty()) return std::nullopt;
    const std::string path = m_scratchFolder + "/bitmap" + std::to_string(image.serial) + preserved.substr(preserved.rfind('.'));
    if (!m_forms.write(image, path)) return std::nullopt;
    bitmap.data = readWholeFile(path).value_or(std::vector<std::uint8_t>());
    std::remove(path.c_str());
  } else if (image.viewable) {
    bitmap.data = readWholeFile(image.tempFilePath).value_or(std::vector<std::uint8_t>());
  }
  if (!pictureSize(bitmap.data, bitmap.width, bitmap.height)) {
    // A GIF of a JPEG tag, or a file that could not be read.
    if (bitmap.data.size() < 10 || bitmap.data[0] != 'G') return std::nullopt;
    bitmap.width = bitmap.data[6] | bitmap.data[7] << 8;
    bitmap.height = bitmap.data[8] | bitmap.data[9] << 8;
    bitmap.mimeType = "image/gif";
    return bitmap;
  }
  bitmap.mimeType = bitmap.data[0] == 0x89 ? "image/png" : "image/jpeg";
  return bitmap;
}

}  // namespace orvane
