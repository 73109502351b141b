#include "objects/ImageFileType.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace orvane {

const std::array<ImageTypeRow, 13> kImageTypeTable = {{
    {"", ImageFileType::None, 0},
    {".BMP", ImageFileType::Bmp, 1},
    {".JPG", ImageFileType::Jpeg, 3},
    {".JPEG", ImageFileType::Jpeg, 3},
    {".PNG", ImageFileType::Png, 4},
    {".PCX", ImageFileType::Pcx, 5},
    {".TIF", ImageFileType::Tiff, 6},
    {".TIFF", ImageFileType::Tiff, 6},
    {".WMF", ImageFileType::Wmf, 7},
    {".EMF", ImageFileType::Emf, 8},
    {".PSD", ImageFileType::Psd, 10},
    {".WBMP", ImageFileType::Wbmp, 13},
    {".TGA", ImageFileType::Tga, 14},
}};

namespace {

bool startsWith(std::span<const std::uint8_t> head, std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
  return head.size() >= offset + bytes.size() && std::equal(bytes.begin(), bytes.end(), head.begin() + offset);
}

}  // namespace

int guessImageType(std::span<const std::uint8_t> head) {
  if (startsWith(head, 0, {'B', 'M'})) return 1;
  if (startsWith(head, 0, {0xFF, 0xD8, 0xFF})) return 3;
  if (startsWith(head, 0, {0x89, 'P', 'N', 'G'})) return 4;
  // PCX: manufacturer 10, a known version, run-length encoding 1.
  if (head.size() >= 3 && head[0] == 0x0A && head[1] <= 5 && head[1] != 1 && head[2] == 1) return 5;
  if (startsWith(head, 0, {'I', 'I', 42, 0}) || startsWith(head, 0, {'M', 'M', 0, 42})) return 6;
  // A placeable metafile, or a plain one (in memory or on disk, header of 9 words).
  if (startsWith(head, 0, {0xD7, 0xCD, 0xC6, 0x9A}) || startsWith(head, 0, {0x01, 0x00, 0x09, 0x00}) ||
      startsWith(head, 0, {0x02, 0x00, 0x09, 0x00}))
    return 7;
  if (startsWith(head, 0, {0x01, 0, 0, 0}) && startsWith(head, 40, {' ', 'E', 'M', 'F'})) return 8;
  if (startsWith(head, 0, {'8', 'B', 'P', 'S'})) return 10;
  return 0;
}

ImageFileType typeFromExtension(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos) return ImageFileType::None;
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  for (std::size_t i = 1; i < kImageTypeTable.size(); ++i) {
    if (extension == kImageTypeTable[i].extension) return kImageTypeTable[i].type;
  }
  return ImageFileType::None;
}

}  // namespace orvane
