#include "objects/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "platform/FileTools.h"

namespace orvane {
namespace {

// zlib's fastest level: the preserved pictures are written during an extraction the user
// waits for, and the default level made a preserving run of a picture-heavy movie take 1.6
// times as long as one without.
constexpr int kCompressionLevel = 1;

void quietWarning(png_structp, png_const_charp) {}
[[noreturn]] void jumpOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

/// libpng's write structures, destroyed on every way out.
class PngWriteStruct {
 public:
  PngWriteStruct() : m_png(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpOnError, quietWarning)) {
    if (m_png != nullptr) m_info = png_create_info_struct(m_png);
  }
  ~PngWriteStruct() { png_destroy_write_struct(&m_png, m_info != nullptr ? &m_info : nullptr); }
  PngWriteStruct(const PngWriteStruct&) = delete;
  PngWriteStruct& operator=(const PngWriteStruct&) = delete;

  bool valid() const { return m_png != nullptr && m_info != nullptr; }
  png_structp png() const { return m_png; }
  png_infop info() const { return m_info; }

 private:
  png_structp m_png = nullptr;
  png_infop m_info = nullptr;
};

int colourType(PngPicture::Kind kind) {
  switch (kind) {
    case PngPicture::Kind::Palette: return PNG_COLOR_TYPE_PALETTE;
    case PngPicture::Kind::Rgb: return PNG_COLOR_TYPE_RGB;
    case PngPicture::Kind::Rgba: return PNG_COLOR_TYPE_RGB_ALPHA;
  }
  return PNG_COLOR_TYPE_RGB;
}

/// The libpng calls. libpng's error handler jumps back to the setjmp here, so this frame
/// holds nothing with a destructor, and nothing it reads after the jump changes after it.
bool encode(png_structp png, png_infop info, std::FILE* file, const PngPicture& picture,
            const std::vector<png_color>& palette) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_init_io(png, file);
  png_set_compression_level(png, kCompressionLevel);
  png_set_IHDR(png, info, picture.width, picture.height, 8, colourType(picture.kind), PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (picture.kind == PngPicture::Kind::Palette) {
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!picture.paletteAlpha.empty())
      png_set_tRNS(png, info, picture.paletteAlpha.data(), static_cast<int>(picture.paletteAlpha.size()), nullptr);
  }
  if (picture.significantBits != 8 && picture.kind != PngPicture::Kind::Palette) {
    png_color_8 bits{};
    bits.red = bits.green = bits.blue = static_cast<png_byte>(picture.significantBits);
    bits.alpha = 8;
    png_set_sBIT(png, info, &bits);
  }
  png_write_info(png, info);
  for (std::uint32_t y = 0; y < picture.height; ++y) png_write_row(png, picture.rows + y * picture.pitch);
  png_write_end(png, info);
  return true;
}

}  // namespace

bool writePng(const std::string& path, const PngPicture& picture) {
  if (picture.width == 0 || picture.height == 0 || picture.rows == nullptr || picture.width > PNG_UINT_31_MAX ||
      picture.height > PNG_UINT_31_MAX)
    return false;
  if (picture.kind == PngPicture::Kind::Palette &&
      (picture.palette.empty() || picture.palette.size() > 256 || picture.paletteAlpha.size() > picture.palette.size()))
    return false;
  std::vector<png_color> palette;
  for (const auto& colour : picture.palette) palette.push_back(png_color{colour[0], colour[1], colour[2]});

  PngWriteStruct writer;
  if (!writer.valid()) return false;
  FileHandle file = openFile(path, "wb");
  if (!file) return false;
  const bool encoded = encode(writer.png(), writer.info(), file.get(), picture, palette);
  if (closeFile(file) && encoded) return true;
  std::remove(path.c_str());
  return false;
}

}  // namespace orvane
