#include "objects/RgbImage.h"

#include <Magick++.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

#include "objects/BinaryFile.h"

namespace orvane {
namespace {

namespace code {
constexpr std::uint32_t kNone = 0;
constexpr std::uint32_t kOutOfMemory = 1;
constexpr std::uint32_t kFileOpen = 2;
constexpr std::uint32_t kFileRead = 3;
constexpr std::uint32_t kFileWrite = 4;
constexpr std::uint32_t kBadParameter = 5;
constexpr std::uint32_t kBadMetafile = 27;
constexpr std::uint32_t kBufferTooSmall = 30;
}  // namespace code

constexpr std::size_t kGuessBytes = 64;

enum class Depth { True, Palette, Grey };

struct Encoding {
  const char* magick;  // the Magick++ coder; nullptr for the metafiles
  Depth depth;
  std::uint32_t readError;  // the code for a file of this format that cannot be decoded
};

/// How each type is read and written.
const std::map<ImageFileType, Encoding>& encodings() {
  static const std::map<ImageFileType, Encoding> table = {
      {ImageFileType::Jpeg, {"JPEG", Depth::True, 9}},       {ImageFileType::JpegGrey, {"JPEG", Depth::Grey, 9}},
      {ImageFileType::Png, {"PNG24", Depth::True, 15}},      {ImageFileType::PngPalette, {"PNG8", Depth::Palette, 15}},
      {ImageFileType::PngGrey, {"PNG", Depth::Grey, 15}},    {ImageFileType::Bmp, {"BMP3", Depth::True, 6}},
      {ImageFileType::BmpPalette, {"BMP3", Depth::Palette, 6}}, {ImageFileType::BmpGrey, {"BMP3", Depth::Grey, 6}},
      {ImageFileType::Pcx, {"PCX", Depth::True, 22}},        {ImageFileType::PcxPalette, {"PCX", Depth::Palette, 22}},
      {ImageFileType::PcxGrey, {"PCX", Depth::Grey, 22}},    {ImageFileType::Tiff, {"TIFF", Depth::True, 20}},
      {ImageFileType::TiffPalette, {"TIFF", Depth::Palette, 20}}, {ImageFileType::TiffGrey, {"TIFF", Depth::Grey, 20}},
      {ImageFileType::Tga, {"TGA", Depth::True, 32}},        {ImageFileType::TgaPalette, {"TGA", Depth::Palette, 32}},
      {ImageFileType::TgaGrey, {"TGA", Depth::Grey, 32}},    {ImageFileType::Psd, {"PSD", Depth::True, 3}},
      {ImageFileType::PsdPalette, {"PSD", Depth::Palette, 3}}, {ImageFileType::PsdGrey, {"PSD", Depth::Grey, 3}},
      {ImageFileType::Wmf, {nullptr, Depth::True, code::kBadMetafile}},
      {ImageFileType::Emf, {nullptr, Depth::True, code::kBadMetafile}},
  };
  return table;
}

void initialiseMagick() {
  static std::once_flag once;
  std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::uint32_t& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = code::kFileOpen;
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = code::kFileRead;
    return false;
  }
  return true;
}

/// Decodes with Magick++; the picture's pixels as 24-bit RGB.
std::uint32_t decodeWithMagick(const std::vector<std::uint8_t>& bytes, ImageFileType type, RgbPicture& picture) {
  const Encoding& encoding = encodings().at(type);
  try {
    Magick::Image image;
    image.quiet(true);
    if (type == ImageFileType::Wmf) {
      image.backgroundColor(Magick::ColorRGB(128.0 / 255, 128.0 / 255, 128.0 / 255));
      image.magick("WMF");
    } else {
      // The 24-bit writers' coders are subformats; the reader takes the plain format.
      const std::string coder = encoding.magick;
      image.magick(coder == "PNG24" ? "PNG" : coder == "BMP3" ? "BMP" : coder);
    }
    image.read(Magick::Blob(bytes.data(), bytes.size()));
    const Magick::Geometry size = image.size();
    if (size.width() == 0 || size.height() == 0) return encoding.readError;
    picture.width = static_cast<std::uint32_t>(size.width());
    picture.height = static_cast<std::uint32_t>(size.height());
    picture.pixels.resize(std::size_t{picture.width} * picture.height * 3);
    image.write(0, 0, picture.width, picture.height, "RGB", Magick::CharPixel, picture.pixels.data());
    return code::kNone;
  } catch (const Magick::ErrorResourceLimit&) {
    return code::kOutOfMemory;
  } catch (const Magick::Exception&) {
    return encoding.readError;
  } catch (const std::bad_alloc&) {
    return code::kOutOfMemory;
  }
}

}  // namespace

ImageFileType RgbImage::DetectType(const std::string& path) {
  std::vector<std::uint8_t> head(kGuessBytes);
  if (std::FILE* file = std::fopen(path.c_str(), "rb"); file != nullptr) {
    head.resize(std::fread(head.data(), 1, head.size(), file));
    std::fclose(file);
    const int guessed = guessImageType(head);
    for (const ImageTypeRow& row : kImageTypeTable) {
      if (guessed != 0 && row.guessedType == guessed) return row.type;
    }
  }
  return typeFromExtension(path);
}

std::uint32_t RgbImage::Load(const std::string& path) {
  m_picture = RgbPicture{};
  m_lastError = code::kNone;
  const ImageFileType type = DetectType(path);
  const bool readable = type != ImageFileType::None && type != ImageFileType::Wbmp;
  if (!readable) return code::kNone;

  std::vector<std::uint8_t> bytes;
  if (!readWholeFile(path, bytes, m_lastError)) return m_lastError;
  RgbPicture picture;
  if (type == ImageFileType::Emf) {
    std::optional<RgbPicture> bitmap = bitmapOfEmf(bytes);
    m_lastError = bitmap ? code::kNone : code::kBadMetafile;
    if (bitmap) picture = std::move(*bitmap);
  } else {
    initialiseMagick();
    m_lastError = decodeWithMagick(bytes, type, picture);
  }
  if (m_lastError == code::kNone) m_picture = std::move(picture);
  return m_lastError;
}

std::vector<std::uint8_t> RgbImage::encode(ImageFileType type) {
  const auto found = encodings().find(type);
  if (found == encodings().end()) return {};
  if (type == ImageFileType::Wmf) {
    std::optional<std::vector<std::uint8_t>> wmf = wmfWithBitmap(m_picture);
    if (!wmf) m_lastError = code::kBadParameter;
    return wmf ? std::move(*wmf) : std::vector<std::uint8_t>{};
  }
  if (type == ImageFileType::Emf) return emfWithBitmap(m_picture);

  const Encoding& encoding = found->second;
  initialiseMagick();
  try {
    Magick::Image image(m_picture.width, m_picture.height, "RGB", Magick::CharPixel, m_picture.pixels.data());
    image.quiet(true);
    image.depth(8);
    if (encoding.depth == Depth::Palette) {
      image.quantizeColors(256);
      image.quantizeDither(false);
      image.quantize();
      image.type(Magick::PaletteType);
    } else if (encoding.depth == Depth::Grey) {
      image.type(Magick::GrayscaleType);
    } else {
      image.type(Magick::TrueColorType);
    }
    image.quality(75);
    image.magick(encoding.magick);
    Magick::Blob blob;
    image.write(&blob);
    const auto* data = static_cast<const std::uint8_t*>(blob.data());
    return std::vector<std::uint8_t>(data, data + blob.length());
  } catch (const Magick::ErrorResourceLimit&) {
    m_lastError = code::kOutOfMemory;
  } catch (const Magick::Exception&) {
    m_lastError = code::kFileWrite;
  } catch (const std::bad_alloc&) {
    m_lastError = code::kOutOfMemory;
  }
  return {};
}

std::uint32_t RgbImage::Write(const std::string& path, ImageFileType type) {
  if (!hasPicture()) return code::kBadParameter;
  m_lastError = code::kNone;
  const std::vector<std::uint8_t> encoded = encode(type);
  if (encoded.empty()) return 0;
  BinaryFile file;
  if (!file.open(path, BinaryFile::Mode::Create)) return fail(code::kFileOpen);
  const bool written = file.write(encoded);
  if (!file.close() || !written) return fail(code::kFileWrite);
  return static_cast<std::uint32_t>(encoded.size());
}

std::uint32_t RgbImage::WriteToMemory(std::span<std::uint8_t> buffer, ImageFileType type) {
  if (!hasPicture()) return code::kBadParameter;
  if (buffer.empty()) return fail(code::kBadParameter);
  m_lastError = code::kNone;
  const std::vector<std::uint8_t> encoded = encode(type);
  if (encoded.empty()) return 0;
  if (encoded.size() > buffer.size()) return fail(code::kBufferTooSmall);
  std::memcpy(buffer.data(), encoded.data(), encoded.size());
  return static_cast<std::uint32_t>(encoded.size());
}

std::string RgbImage::ErrorText(std::uint32_t code) {
  static const std::map<std::uint32_t, const char*> texts = {
      {0, "no err"},
      {1, "out of memory"},
      {2, "error on file open"},
      {3, "error on file read"},
      {4, "error on file write"},
      {5, "bad user param"},
      {6, "bad BMP file"},
      {7, "some RLE variations are not supported"},
      {9, "bad JPG file"},
      {10, "error with device context"},
      {11, "problem with a GetDIBits call"},
      {13, "resource not found"},
      {14, "callback returned FALSE - operation aborted"},
      {15, "bad PNG file"},
      {16, "internal PNG lib behavior - contact smaller animals s.w."},
      {17, "misc unexpected behavior error - contact smaller animals s.w."},
      {18, "trouble creating a font object"},
      {19, "misc internal TIFF error"},
      {20, "invalid TIFF file"},
      {21, "this will not read TIFF-LZW images"},
      {22, "invalid PCX image"},
      {23, "a call to the fn CreateCompatibleBitmap failed"},
      {24, "end of an image while using single-line de/compression"},
      {25, "error during a call to GetDIBits"},
      {26, "device does not support an operation required by this function"},
      {27, "invalid windows metafile"},
      {28, "the file was not of the requested bit-depth"},
      {29, "a call to BitBlt failed."},
      {30, "output buffer is too small for this operation"},
      {31, "not enough room in the output palette to store the colors from this image"},
      {32, "bad TGA File"},
      {35, "a call to the fn CreateDIBitmap failed"},
      {36, "LZW de/compression is not permitted"},
  };
  if (const auto found = texts.find(code); found != texts.end()) return found->second;
  return "Error #" + std::to_string(code) + "!";
}

}  // namespace orvane
