#include "tests/support/BitPacker.h"

namespace orvane::test {

unsigned signedBitsFor(std::int32_t value) {
  unsigned bits = 1;
  while (bits < 32) {
    const std::int64_t low = -(std::int64_t{1} << (bits - 1));
    const std::int64_t high = (std::int64_t{1} << (bits - 1)) - 1;
    if (value >= low && value <= high) break;
    ++bits;
  }
  return bits;
}

void BitPacker::put(std::uint32_t value, unsigned count) {
  for (unsigned i = count; i > 0; --i) {
    m_current = static_cast<std::uint8_t>((m_current << 1) | ((value >> (i - 1)) & 1u));
    if (++m_used == 8) flush();
  }
}

std::vector<std::uint8_t> BitPacker::finish() {
  if (m_used > 0) {
    m_current = static_cast<std::uint8_t>(m_current << (8 - m_used));
    flush();
  }
  return m_bytes;
}

void BitPacker::flush() {
  m_bytes.push_back(m_current);
  m_current = 0;
  m_used = 0;
}

}  // namespace orvane::test
