// The picture file types of the image library wrapper: numbers, type table, content guess.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace orvane {

/// Each format has a 24-bit number and, where it exists, an 8-bit palette and an 8-bit
/// grey variant.
enum class ImageFileType : std::uint32_t {
  None = 0,
  Jpeg = 1,
  JpegGrey = 2,
  Png = 3,
  PngPalette = 4,
  PngGrey = 5,
  Bmp = 6,
  BmpPalette = 7,
  BmpGrey = 8,
  Pcx = 9,
  PcxPalette = 10,
  PcxGrey = 11,
  Tiff = 12,
  TiffPalette = 13,
  TiffGrey = 14,
  Tga = 16,
  TgaPalette = 17,
  TgaGrey = 18,
  Wmf = 19,
  Psd = 20,
  PsdPalette = 21,
  PsdGrey = 22,
  Emf = 23,
  Wbmp = 24,
};

struct ImageTypeRow {
  const char* extension;
  ImageFileType type;
  /// The code the content guess gives for files of this type.
  int guessedType;
};

/// Searched in this order after its empty first row.
extern const std::array<ImageTypeRow, 13> kImageTypeTable;

/// The guessed-type code of a picture from its first bytes (at least 44 are looked at
/// when present); 0 when the content is not recognised. TGA and WBMP carry no signature
/// and are never guessed.
int guessImageType(std::span<const std::uint8_t> head);

/// The type whose extension matches the text from the last "." of `path` (compared
/// without regard to case); None without a match or a ".".
ImageFileType typeFromExtension(const std::string& path);

}  // namespace orvane
