#include "objects/LosslessBitmap.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <new>

#include "movie/BitReader.h"

namespace orvane {
namespace {

constexpr std::uint8_t kColorMapped = 3;
constexpr std::uint8_t k15Bit = 4;
constexpr std::uint8_t k32Bit = 5;

/// Rows of colour-mapped and 15-bit data are padded to four bytes.
constexpr std::size_t paddedRow(std::size_t bytes) { return (bytes + 3) & ~std::size_t{3}; }

/// A 5-bit channel widened to 8 bits, the top bits repeated below.
constexpr std::uint8_t widen5(unsigned value) { return static_cast<std::uint8_t>((value << 3) | (value >> 2)); }

/// zlib's stream, ended on every way out.
class InflateStream {
 public:
  InflateStream() = default;
  ~InflateStream() {
    if (m_initialised) inflateEnd(&m_stream);
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  int init() {
    const int code = inflateInit_(&m_stream, "1.1.3", static_cast<int>(sizeof(z_stream)));
    m_initialised = code == Z_OK;
    return code;
  }
  z_stream& get() { return m_stream; }

 private:
  z_stream m_stream{};
  bool m_initialised = false;
};

void appendZlibError(std::string& errorText, const z_stream& stream, int code) {
  errorText += "Zlib data error : ";
  errorText += stream.msg != nullptr ? stream.msg : zError(code);
  errorText += "\n" + std::to_string(code);
}

}  // namespace

std::optional<InflatedBitmap> InflateBitmap(std::span<const std::uint8_t> compressed, std::size_t expectedSize,
                                            std::string& errorText) {
  InflatedBitmap result;
  result.bytes.resize(expectedSize);
  InflateStream inflater;
  z_stream& stream = inflater.get();
  if (const int code = inflater.init(); code != Z_OK) {
    appendZlibError(errorText, stream, code);
    return std::nullopt;
  }
  // zlib counts in 32-bit units; feed larger spans in pieces.
  constexpr std::size_t kPiece = UINT_MAX;
  std::span<const std::uint8_t> input = compressed;
  std::size_t output = 0;
  for (;;) {
    if (stream.avail_in == 0 && !input.empty()) {
      const std::size_t piece = std::min(input.size(), kPiece);
      stream.next_in = const_cast<Bytef*>(input.data());
      stream.avail_in = static_cast<uInt>(piece);
      input = input.subspan(piece);
    }
    if (stream.avail_out == 0) {
      if (output == expectedSize) break;
      const std::size_t piece = std::min(expectedSize - output, kPiece);
      stream.next_out = result.bytes.data() + output;
      stream.avail_out = static_cast<uInt>(piece);
      output += piece;
    }
    const int code = inflate(&stream, Z_SYNC_FLUSH);
    if (code == Z_STREAM_END) break;
    if (code == Z_OK) continue;
    if (code == Z_DATA_ERROR) {
      // Damaged data: skip to the next full-flush point and go on from there.
      if (const int sync = inflateSync(&stream); sync == Z_OK) continue;
    }
    appendZlibError(errorText, stream, code);
    return std::nullopt;
  }
  result.produced = (output - stream.avail_out);
  return result;
}

ScanStatus LosslessBitmap::decode(std::span<const std::uint8_t> body, int bytesPerEntry, std::string& errorText) {
  BitReader reader(body);
  reader.readU16();  // character id, read by the walk
  const std::uint8_t format = reader.readU8();
  const std::uint32_t width = reader.readU16();
  const std::uint32_t height = reader.readU16();
  if (format != kColorMapped && format != k15Bit && format != k32Bit) return ScanStatus::UnsupportedVariant;
  const std::size_t tableEntries = format == kColorMapped ? std::size_t{reader.readU8()} + 1 : 0;
  const std::size_t tableBytes = tableEntries * static_cast<std::size_t>(bytesPerEntry);

  const std::size_t rowBytes = format == kColorMapped ? paddedRow(width)
                               : format == k15Bit     ? paddedRow(std::size_t{width} * 2)
                                                      : std::size_t{width} * 4;
  const std::uint64_t pixelWidth = format == kColorMapped ? paddedRow(width) : width;
  if (pixelWidth * height > kMaxLosslessPixels) return ScanStatus::UnsupportedVariant;

  try {
    std::optional<InflatedBitmap> inflated =
        InflateBitmap(reader.bytesAt(reader.position()), tableBytes + rowBytes * height, errorText);
    if (!inflated) return ScanStatus::InflateError;
    m_width = static_cast<std::uint32_t>(pixelWidth);
    m_height = height;
    if (format == kColorMapped) {
      convertColorMapped(*inflated, tableBytes, bytesPerEntry);
    } else if (format == k15Bit) {
      convert15Bit(*inflated);
    } else {
      // Pixels are alpha (or padding), R, G, B: the encoder takes them as they are.
      m_pixels = std::move(inflated->bytes);
      m_pitch = rowBytes;
      m_layout = PixelRows::Layout::Xrgb;
    }
  } catch (const std::bad_alloc&) {
    return ScanStatus::MemoryError;
  }
  return ScanStatus::Success;
}

void LosslessBitmap::convertColorMapped(const InflatedBitmap& inflated, std::size_t tableBytes, int bytesPerEntry) {
  // Indices past the table's entries find black.
  std::array<std::array<std::uint8_t, 3>, 256> palette{};
  const std::size_t entries = tableBytes / static_cast<std::size_t>(bytesPerEntry);
  for (std::size_t e = 0; e < entries; ++e) {
    const std::uint8_t* entry = inflated.bytes.data() + e * static_cast<std::size_t>(bytesPerEntry);
    palette[e] = {entry[0], entry[1], entry[2]};
  }
  const std::size_t count = std::size_t{m_width} * m_height;
  m_pitch = std::size_t{m_width} * 3;
  m_layout = PixelRows::Layout::Rgb;
  m_pixels.resize(count * 3);
  const std::uint8_t* index = inflated.bytes.data() + tableBytes;
  std::uint8_t* out = m_pixels.data();
  for (std::size_t i = 0; i < count; ++i, out += 3) {
    const auto& colour = palette[index[i]];
    out[0] = colour[0];
    out[1] = colour[1];
    out[2] = colour[2];
  }
}

void LosslessBitmap::convert15Bit(const InflatedBitmap& inflated) {
  const std::size_t rowBytes = paddedRow(std::size_t{m_width} * 2);
  m_pitch = std::size_t{m_width} * 3;
  m_layout = PixelRows::Layout::Rgb;
  m_pixels.resize(m_pitch * m_height);
  for (std::size_t y = 0; y < m_height; ++y) {
    const std::uint8_t* in = inflated.bytes.data() + y * rowBytes;
    std::uint8_t* out = m_pixels.data() + y * m_pitch;
    for (std::size_t x = 0; x < m_width; ++x, in += 2, out += 3) {
      // One reserved bit, then five bits each of red, green and blue, most significant first.
      const unsigned value = (unsigned{in[0]} << 8) | in[1];
      out[0] = widen5((value >> 10) & 0x1F);
      out[1] = widen5((value >> 5) & 0x1F);
      out[2] = widen5(value & 0x1F);
    }
  }
}

PixelRows LosslessBitmap::rows() const {
  return PixelRows{m_pixels.data(), m_width, m_height, m_pitch, m_layout};
}

}  // namespace orvane
