#include "abc/AbcWriter.h"

#include <bit>

namespace orvane {

AbcWriter& AbcWriter::u8(std::uint32_t value) {
  m_data.push_back(static_cast<std::uint8_t>(value));
  return *this;
}

AbcWriter& AbcWriter::u16(std::uint32_t value) { return u8(value).u8(value >> 8); }

AbcWriter& AbcWriter::s24(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return u8(bits).u8(bits >> 8).u8(bits >> 16);
}

AbcWriter& AbcWriter::u30(std::uint32_t value) {
  do {
    const std::uint32_t low = value & 0x7F;
    value >>= 7;
    u8(value != 0 ? low | 0x80 : low);
  } while (value != 0);
  return *this;
}

AbcWriter& AbcWriter::d64(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  for (int i = 0; i < 8; ++i) u8(static_cast<std::uint32_t>(bits >> (8 * i)));
  return *this;
}

AbcWriter& AbcWriter::string(std::string_view text) {
  u30(static_cast<std::uint32_t>(text.size()));
  m_data.insert(m_data.end(), text.begin(), text.end());
  return *this;
}

AbcWriter& AbcWriter::bytes(std::span<const std::uint8_t> data) {
  m_data.insert(m_data.end(), data.begin(), data.end());
  return *this;
}

}  // namespace orvane
