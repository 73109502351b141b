#include "fonts/BigEndianWriter.h"

namespace orvane {

void BigEndianWriter::u16(std::uint32_t value) {
  m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  m_bytes.push_back(static_cast<std::uint8_t>(value));
}

void BigEndianWriter::u32(std::uint32_t value) {
  u16(value >> 16);
  u16(value & 0xFFFF);
}

void BigEndianWriter::tag(std::string_view fourLetters) {
  for (std::size_t i = 0; i < 4; ++i) u8(i < fourLetters.size() ? static_cast<unsigned char>(fourLetters[i]) : ' ');
}

void BigEndianWriter::padTo(std::size_t alignment) {
  while (m_bytes.size() % alignment != 0) m_bytes.push_back(0);
}

}  // namespace orvane
