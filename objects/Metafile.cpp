#include "objects/Metafile.h"

#include <algorithm>
#include <limits>

#include "movie/BitReader.h"

namespace orvane {
namespace {

constexpr std::uint32_t kBitmapInfoSize = 40;
constexpr std::uint32_t kSourceCopy = 0x00CC0020;
constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmrStretchDiBits = 81;
constexpr std::uint32_t kEmfHeaderSize = 88;
constexpr std::uint32_t kEmfStretchSize = 80;
constexpr std::uint32_t kMaxMetafileSide = 16384;

class LittleEndian {
 public:
  LittleEndian& u16(std::uint32_t value) {
    m_bytes.push_back(static_cast<std::uint8_t>(value));
    m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    return *this;
  }
  LittleEndian& u32(std::uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
  LittleEndian& bytes(std::span<const std::uint8_t> data) {
    m_bytes.insert(m_bytes.end(), data.begin(), data.end());
    return *this;
  }
  std::vector<std::uint8_t>& data() { return m_bytes; }

 private:
  std::vector<std::uint8_t> m_bytes;
};

std::size_t dibRowBytes(std::uint32_t width, std::uint32_t bits) {
  return ((std::size_t{width} * bits + 31) / 32) * 4;
}

/// BITMAPINFOHEADER and bottom-up BGR rows padded to four bytes.
std::vector<std::uint8_t> deviceIndependentBitmap(const RgbPicture& picture) {
  const std::size_t rowBytes = dibRowBytes(picture.width, 24);
  LittleEndian out;
  out.u32(kBitmapInfoSize).u32(picture.width).u32(picture.height).u16(1).u16(24).u32(0)
      .u32(static_cast<std::uint32_t>(rowBytes * picture.height)).u32(2835).u32(2835).u32(0).u32(0);
  std::vector<std::uint8_t>& dib = out.data();
  dib.resize(kBitmapInfoSize + rowBytes * picture.height, 0);
  for (std::uint32_t y = 0; y < picture.height; ++y) {
    const std::uint8_t* in = picture.pixels.data() + std::size_t{y} * picture.width * 3;
    std::uint8_t* row = dib.data() + kBitmapInfoSize + (picture.height - 1 - y) * rowBytes;
    for (std::uint32_t x = 0; x < picture.width; ++x, in += 3, row += 3) {
      row[0] = in[2];
      row[1] = in[1];
      row[2] = in[0];
    }
  }
  return std::move(dib);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> wmfWithBitmap(const RgbPicture& picture) {
  constexpr std::uint32_t kMaxCoordinate = 32767;
  if (picture.width > kMaxCoordinate || picture.height > kMaxCoordinate) return std::nullopt;
  const std::vector<std::uint8_t> dib = deviceIndependentBitmap(picture);
  const std::uint32_t w = picture.width;
  const std::uint32_t h = picture.height;

  LittleEndian header;
  header.u32(0x9AC6CDD7).u16(0).u16(0).u16(0).u16(w).u16(h).u16(72).u32(0);
  std::uint16_t checksum = 0;
  for (std::size_t i = 0; i < 20; i += 2) checksum ^= static_cast<std::uint16_t>(header.data()[i] | (header.data()[i + 1] << 8));
  header.u16(checksum);

  const std::uint32_t stretchWords = static_cast<std::uint32_t>((28 + dib.size() + 1) / 2);
  const std::uint32_t totalWords = 9 + 5 + 5 + stretchWords + 3;
  LittleEndian records;
  records.u16(1).u16(9).u16(0x0300).u32(totalWords).u16(0).u32(stretchWords).u16(0);
  records.u32(5).u16(0x020B).u16(0).u16(0);  // SetWindowOrg (y, x)
  records.u32(5).u16(0x020C).u16(h).u16(w);  // SetWindowExt (y, x)
  records.u32(stretchWords).u16(0x0F43).u32(kSourceCopy).u16(0);
  records.u16(h).u16(w).u16(0).u16(0).u16(h).u16(w).u16(0).u16(0).bytes(dib);
  if (dib.size() % 2 != 0) records.data().push_back(0);
  records.u32(3).u16(0);  // EOF
  header.bytes(records.data());
  return std::move(header.data());
}

std::vector<std::uint8_t> emfWithBitmap(const RgbPicture& picture) {
  const std::vector<std::uint8_t> dib = deviceIndependentBitmap(picture);
  const std::uint32_t w = picture.width;
  const std::uint32_t h = picture.height;
  const std::uint32_t stretchSize = kEmfStretchSize + static_cast<std::uint32_t>(dib.size());
  const std::uint32_t total = kEmfHeaderSize + stretchSize + 20;
  const auto right = static_cast<std::uint32_t>(static_cast<std::int32_t>(w) - 1);
  const auto bottom = static_cast<std::uint32_t>(static_cast<std::int32_t>(h) - 1);
  LittleEndian out;
  out.u32(kEmrHeader).u32(kEmfHeaderSize);
  out.u32(0).u32(0).u32(right).u32(bottom);                      // bounds in device units
  out.u32(0).u32(0).u32(w * 2540 / 96).u32(h * 2540 / 96);       // frame in 0.01 mm
  out.u32(0x464D4520).u32(0x10000).u32(total).u32(3).u16(1).u16(0);
  out.u32(0).u32(0).u32(0);                                      // no description or palette
  out.u32(1024).u32(768).u32(271).u32(203);                      // reference device
  out.u32(kEmrStretchDiBits).u32(stretchSize);
  out.u32(0).u32(0).u32(right).u32(bottom);
  out.u32(0).u32(0).u32(0).u32(0).u32(w).u32(h);                 // destination, source
  out.u32(kEmfStretchSize).u32(kBitmapInfoSize).u32(kEmfStretchSize + kBitmapInfoSize)
      .u32(static_cast<std::uint32_t>(dib.size() - kBitmapInfoSize));
  out.u32(0).u32(kSourceCopy).u32(w).u32(h).bytes(dib);
  out.u32(kEmrEof).u32(20).u32(0).u32(16).u32(20);
  return std::move(out.data());
}

std::optional<RgbPicture> bitmapOfEmf(std::span<const std::uint8_t> emf) {
  BitReader reader(emf);
  if (reader.readU32() != kEmrHeader) return std::nullopt;
  reader.setPosition(40);
  if (reader.readU32() != 0x464D4520 || reader.exhausted()) return std::nullopt;

  std::uint64_t offset = 0;
  while (offset + 8 <= emf.size()) {
    reader.setPosition(static_cast<std::uint32_t>(offset));
    const std::uint32_t type = reader.readU32();
    const std::uint32_t size = reader.readU32();
    if (size < 8 || offset + size > emf.size() || type == kEmrEof) return std::nullopt;
    if (type == kEmrStretchDiBits) {
      const std::span<const std::uint8_t> record = emf.subspan(static_cast<std::size_t>(offset), size);
      BitReader fields(record);
      fields.setPosition(48);
      const std::uint32_t infoOffset = fields.readU32();
      fields.readU32();
      const std::uint32_t bitsOffset = fields.readU32();
      const std::uint32_t bitsSize = fields.readU32();
      fields.setPosition(infoOffset);
      fields.readU32();
      const std::int32_t width = static_cast<std::int32_t>(fields.readU32());
      const std::int32_t height = static_cast<std::int32_t>(fields.readU32());
      fields.readU16();
      const std::uint16_t bits = fields.readU16();
      const std::uint32_t compression = fields.readU32();
      if (fields.exhausted() || compression != 0 || (bits != 24 && bits != 32) || width <= 0 || height == 0 ||
          height == std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
      RgbPicture picture;
      picture.width = static_cast<std::uint32_t>(width);
      picture.height = static_cast<std::uint32_t>(height < 0 ? -height : height);
      if (picture.width > kMaxMetafileSide || picture.height > kMaxMetafileSide) return std::nullopt;
      const std::size_t rowBytes = dibRowBytes(picture.width, bits);
      const std::span<const std::uint8_t> pixels = fields.bytesAt(bitsOffset, bitsSize);
      if (pixels.size() < rowBytes * picture.height) return std::nullopt;
      picture.pixels.resize(std::size_t{picture.width} * picture.height * 3);
      const std::size_t step = bits / 8;
      for (std::uint32_t y = 0; y < picture.height; ++y) {
        const std::uint32_t sourceRow = height < 0 ? y : picture.height - 1 - y;
        const std::uint8_t* in = pixels.data() + sourceRow * rowBytes;
        std::uint8_t* out = picture.pixels.data() + std::size_t{y} * picture.width * 3;
        for (std::uint32_t x = 0; x < picture.width; ++x, in += step, out += 3) {
          out[0] = in[2];
          out[1] = in[1];
          out[2] = in[0];
        }
      }
      return picture;
    }
    offset += size;
  }
  return std::nullopt;
}

}  // namespace orvane
