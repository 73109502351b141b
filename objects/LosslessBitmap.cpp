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

std::size_t LosslessData::rowBytes() const {
  return format == kColorMapped ? paddedRow(width)
         : format == k15Bit     ? paddedRow(std::size_t{width} * 2)
                                : std::size_t{width} * 4;
}

ScanStatus inflateLossless(std::span<const std::uint8_t> body, int bytesPerEntry, std::string& errorText,
                           LosslessData& data) {
  BitReader reader(body);
  reader.readU16();  // character id, read by the walk
  data.format = reader.readU8();
  data.width = reader.readU16();
  data.height = reader.readU16();
  data.bytesPerEntry = bytesPerEntry;
  if (data.format != kColorMapped && data.format != k15Bit && data.format != k32Bit)
    return ScanStatus::UnsupportedVariant;
  data.tableEntries = data.format == kColorMapped ? std::size_t{reader.readU8()} + 1 : 0;
  // Colour-mapped rows are padded to four bytes, and the padding counts as pixels.
  const std::uint64_t pixelWidth = data.format == kColorMapped ? paddedRow(data.width) : data.width;
  if (pixelWidth * data.height > kMaxLosslessPixels) return ScanStatus::UnsupportedVariant;

  try {
    std::optional<InflatedBitmap> inflated =
        InflateBitmap(reader.bytesAt(reader.position()), data.tableBytes() + data.rowBytes() * data.height, errorText);
    if (!inflated) return ScanStatus::InflateError;
    data.inflated = std::move(*inflated);
  } catch (const std::bad_alloc&) {
    return ScanStatus::MemoryError;
  }
  return ScanStatus::Success;
}

std::vector<std::uint8_t> widen15BitRows(const LosslessData& data) {
  const std::size_t rowBytes = data.rowBytes();
  const std::size_t pitch = std::size_t{data.width} * 3;
  std::vector<std::uint8_t> pixels(pitch * data.height);
  for (std::size_t y = 0; y < data.height; ++y) {
    const std::uint8_t* in = data.firstRow() + y * rowBytes;
    std::uint8_t* out = pixels.data() + y * pitch;
    for (std::size_t x = 0; x < data.width; ++x, in += 2, out += 3) {
      const unsigned value = (unsigned{in[0]} << 8) | in[1];
      out[0] = widen5((value >> 10) & 0x1F);
      out[1] = widen5((value >> 5) & 0x1F);
      out[2] = widen5(value & 0x1F);
    }
  }
  return pixels;
}

ScanStatus LosslessBitmap::decode(std::span<const std::uint8_t> body, int bytesPerEntry, std::string& errorText) {
  LosslessData data;
  const ScanStatus status = inflateLossless(body, bytesPerEntry, errorText, data);
  if (status != ScanStatus::Success) return status;
  try {
    m_height = data.height;
    if (data.format == kColorMapped) {
      convertColorMapped(data);
    } else if (data.format == k15Bit) {
      m_width = data.width;
      m_pitch = std::size_t{m_width} * 3;
      m_layout = PixelRows::Layout::Rgb;
      m_pixels = widen15BitRows(data);
    } else {
      // Pixels are alpha (or padding), R, G, B: the encoder takes them as they are.
      m_width = data.width;
      m_pitch = data.rowBytes();
      m_layout = PixelRows::Layout::Xrgb;
      m_pixels = std::move(data.inflated.bytes);
    }
  } catch (const std::bad_alloc&) {
    return ScanStatus::MemoryError;
  }
  return ScanStatus::Success;
}

void LosslessBitmap::convertColorMapped(const LosslessData& data) {
  // Indices past the table's entries find black.
  std::array<std::array<std::uint8_t, 3>, 256> palette{};
  for (std::size_t e = 0; e < data.tableEntries; ++e) {
    const std::uint8_t* entry = data.inflated.bytes.data() + e * static_cast<std::size_t>(data.bytesPerEntry);
    palette[e] = {entry[0], entry[1], entry[2]};
  }
  // The padding of each row becomes extra columns.
  m_width = static_cast<std::uint32_t>(paddedRow(data.width));
  const std::size_t count = std::size_t{m_width} * m_height;
  m_pitch = std::size_t{m_width} * 3;
  m_layout = PixelRows::Layout::Rgb;
  m_pixels.resize(count * 3);
  const std::uint8_t* index = data.firstRow();
  std::uint8_t* out = m_pixels.data();
  for (std::size_t i = 0; i < count; ++i, out += 3) {
    const auto& colour = palette[index[i]];
    out[0] = colour[0];
    out[1] = colour[1];
    out[2] = colour[2];
  }
}

PixelRows LosslessBitmap::rows() const {
  return PixelRows{m_pixels.data(), m_width, m_height, m_pitch, m_layout};
}

}  // namespace orvane
