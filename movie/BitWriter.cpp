#include "movie/BitWriter.h"

namespace orvane {

void BitWriter::writeBits(std::uint32_t value, unsigned n) {
  if (n > 32) n = 32;
  while (n > 0) {
    const unsigned take = n < m_freeBits ? n : m_freeBits;
    const std::uint32_t chunk = (value >> (n - take)) & ((1u << take) - 1u);
    m_current = static_cast<std::uint8_t>(m_current | (chunk << (m_freeBits - take)));
    m_freeBits -= take;
    n -= take;
    if (m_freeBits == 0) {
      m_bytes.push_back(m_current);
      m_current = 0;
      m_freeBits = 8;
    }
  }
}

void BitWriter::flush() {
  if (m_freeBits == 8) return;
  m_bytes.push_back(m_current);
  m_current = 0;
  m_freeBits = 8;
}

bool BitWriter::writeTo(std::FILE* file) const {
  return std::fwrite(m_bytes.data(), 1, m_bytes.size(), file) == m_bytes.size();
}

}  // namespace orvane
