// Helpers of the preserved-form tests: PNG files read back through libpng with their
// palette, transparency and significant bits, and FLV files split into their tags.
#pragma once

#include <png.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tests/objects/ObjectTestSupport.h"
#include "tests/support/ShellCommand.h"

namespace orvane::test {

struct DecodedPng {
  int colourType = -1;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::array<std::uint8_t, 3>> palette;
  std::vector<std::uint8_t> paletteAlpha;
  int significantRed = 8;
  /// Every pixel expanded to R, G, B, A (A = 255 where the file has no alpha).
  std::vector<std::uint8_t> rgba;

  std::array<int, 4> at(std::uint32_t x, std::uint32_t y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 4;
    return {rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]};
  }
};

namespace detail {
inline bool readPngInto(png_structp png, png_infop info, std::FILE* file, DecodedPng& out) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_init_io(png, file);
  png_read_info(png, info);
  int depth = 0;
  png_get_IHDR(png, info, &out.width, &out.height, &depth, &out.colourType, nullptr, nullptr, nullptr);
  png_colorp palette = nullptr;
  int entries = 0;
  if (png_get_PLTE(png, info, &palette, &entries) != 0)
    for (int e = 0; e < entries; ++e) out.palette.push_back({palette[e].red, palette[e].green, palette[e].blue});
  png_bytep alpha = nullptr;
  int alphas = 0;
  if (png_get_tRNS(png, info, &alpha, &alphas, nullptr) != 0) out.paletteAlpha.assign(alpha, alpha + alphas);
  png_color_8p bits = nullptr;
  if (png_get_sBIT(png, info, &bits) != 0) out.significantRed = bits->red;
  png_set_expand(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_read_update_info(png, info);
  out.rgba.resize(static_cast<std::size_t>(out.width) * out.height * 4);
  for (std::uint32_t y = 0; y < out.height; ++y) png_read_row(png, out.rgba.data() + y * out.width * 4, nullptr);
  png_read_end(png, nullptr);
  return true;
}
}  // namespace detail

/// The PNG file decoded, or nothing when libpng refuses it.
inline std::optional<DecodedPng> readPng(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  DecodedPng decoded;
  const bool ok = detail::readPngInto(png, info, file, decoded);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  if (!ok) return std::nullopt;
  return decoded;
}

/// A JPEG of `width` x `height` pixels of one colour, at quality 100.
inline std::vector<std::uint8_t> solidJpeg(int width, int height, std::array<std::uint8_t, 3> colour) {
  std::vector<std::uint8_t> rgb;
  for (int i = 0; i < width * height; ++i) rgb.insert(rgb.end(), colour.begin(), colour.end());
  tjhandle handle = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_444, 100, 0);
  std::vector<std::uint8_t> bytes(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(handle);
  return bytes;
}

struct FlvTag {
  int type = 0;
  std::uint32_t milliseconds = 0;
  std::vector<std::uint8_t> data;
};

struct ParsedFlv {
  std::uint8_t flags = 0;
  std::vector<FlvTag> tags;
};

/// An FLV file split into its tags; nothing when its header, a tag or a back pointer is wrong.
inline std::optional<ParsedFlv> parseFlv(const std::vector<std::uint8_t>& bytes) {
  const auto be = [&bytes](std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | bytes[at + i];
    return value;
  };
  if (bytes.size() < 13 || bytes[0] != 'F' || bytes[1] != 'L' || bytes[2] != 'V' || bytes[3] != 1 ||
      be(5, 4) != 9 || be(9, 4) != 0)
    return std::nullopt;
  ParsedFlv flv;
  flv.flags = bytes[4];
  std::size_t at = 13;
  while (at < bytes.size()) {
    if (at + 11 > bytes.size()) return std::nullopt;
    FlvTag tag;
    tag.type = bytes[at];
    const std::uint32_t length = be(at + 1, 3);
    tag.milliseconds = be(at + 4, 3) | (std::uint32_t{bytes[at + 7]} << 24);
    if (be(at + 8, 3) != 0 || at + 11 + length + 4 > bytes.size() || be(at + 11 + length, 4) != 11 + length)
      return std::nullopt;
    tag.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + 11),
                    bytes.begin() + static_cast<std::ptrdiff_t>(at + 11 + length));
    flv.tags.push_back(std::move(tag));
    at += 11 + length + 4;
  }
  return flv;
}

}  // namespace orvane::test
