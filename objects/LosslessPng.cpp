#include "objects/LosslessPng.h"

#include <algorithm>
#include <new>

#include "objects/PngWriter.h"

namespace orvane {
namespace {

constexpr std::uint8_t kColorMapped = 3;
constexpr std::uint8_t k15Bit = 4;

/// The colour table as a palette long enough for every index the rows use: entries past
/// the table are zero bytes (black, and transparent where the table has alpha).
void fillPalette(const LosslessData& data, PngPicture& picture) {
  std::size_t used = data.tableEntries;
  for (std::uint32_t y = 0; y < data.height; ++y) {
    const std::uint8_t* row = data.firstRow() + y * data.rowBytes();
    const std::uint8_t highest = *std::max_element(row, row + data.width);
    used = std::max<std::size_t>(used, std::size_t{highest} + 1);
  }
  picture.palette.assign(used, {0, 0, 0});
  const bool alpha = data.bytesPerEntry == 4;
  if (alpha) picture.paletteAlpha.assign(used, 0);
  for (std::size_t e = 0; e < data.tableEntries; ++e) {
    const std::uint8_t* entry = data.inflated.bytes.data() + e * static_cast<std::size_t>(data.bytesPerEntry);
    picture.palette[e] = {entry[0], entry[1], entry[2]};
    if (alpha) picture.paletteAlpha[e] = entry[3];
  }
}

/// 32-bit pixels (alpha or padding, R, G, B) as R, G, B or, with alpha, R, G, B, A with
/// the colour made straight.
std::vector<std::uint8_t> reorder32Bit(const LosslessData& data, bool alpha) {
  const std::size_t count = std::size_t{data.width} * data.height;
  const std::size_t channels = alpha ? 4 : 3;
  std::vector<std::uint8_t> pixels(count * channels);
  const std::uint8_t* in = data.firstRow();
  std::uint8_t* out = pixels.data();
  for (std::size_t i = 0; i < count; ++i, in += 4, out += channels) {
    if (alpha) {
      out[0] = unpremultiply(in[1], in[0]);
      out[1] = unpremultiply(in[2], in[0]);
      out[2] = unpremultiply(in[3], in[0]);
      out[3] = in[0];
    } else {
      out[0] = in[1];
      out[1] = in[2];
      out[2] = in[3];
    }
  }
  return pixels;
}

}  // namespace

std::uint8_t unpremultiply(std::uint8_t sample, std::uint8_t alpha) {
  if (alpha == 0) return 0;
  const unsigned straight = (unsigned{sample} * 255 + alpha / 2u) / alpha;
  return static_cast<std::uint8_t>(std::min(straight, 255u));
}

bool writeLosslessPng(const std::string& path, const LosslessData& data) {
  if (data.width == 0 || data.height == 0) return false;
  PngPicture picture;
  picture.width = data.width;
  picture.height = data.height;
  std::vector<std::uint8_t> converted;
  try {
    if (data.format == kColorMapped) {
      picture.kind = PngPicture::Kind::Palette;
      picture.rows = data.firstRow();
      picture.pitch = data.rowBytes();
      fillPalette(data, picture);
    } else if (data.format == k15Bit) {
      converted = widen15BitRows(data);
      picture.kind = PngPicture::Kind::Rgb;
      picture.significantBits = 5;
    } else {
      const bool alpha = data.bytesPerEntry == 4;
      converted = reorder32Bit(data, alpha);
      picture.kind = alpha ? PngPicture::Kind::Rgba : PngPicture::Kind::Rgb;
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (picture.kind != PngPicture::Kind::Palette) {
    picture.rows = converted.data();
    picture.pitch = std::size_t{data.width} * (picture.kind == PngPicture::Kind::Rgba ? 4 : 3);
  }
  return writePng(path, picture);
}

}  // namespace orvane
