#include "movie/BitReader.h"

#include <algorithm>
#include <cstring>

namespace orvane {

bool BitReader::take(std::uint32_t count) {
  m_pendingCount = 0;
  if (count > remaining()) {
    m_exhausted = true;
    m_position = std::max(m_position, size());
    return false;
  }
  return true;
}

std::uint8_t BitReader::readU8() {
  if (!take(1)) return 0;
  return m_data[m_position++];
}

std::uint16_t BitReader::readU16() {
  if (!take(2)) return 0;
  const std::uint16_t value = static_cast<std::uint16_t>(m_data[m_position] | (m_data[m_position + 1] << 8));
  m_position += 2;
  return value;
}

std::uint32_t BitReader::readU32() {
  if (!take(4)) return 0;
  const std::uint8_t* p = m_data.data() + m_position;
  m_position += 4;
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint32_t BitReader::readUB(unsigned n) {
  if (n > 32) n = 32;
  std::uint32_t value = 0;
  while (n > 0) {
    if (m_pendingCount == 0) {
      if (remaining() == 0) {
        m_exhausted = true;
        return 0;
      }
      m_pendingBits = m_data[m_position++];
      m_pendingCount = 8;
    }
    const unsigned taken = std::min(n, m_pendingCount);
    const unsigned shift = m_pendingCount - taken;
    const std::uint32_t bits = (static_cast<std::uint32_t>(m_pendingBits) >> shift) & ((1u << taken) - 1u);
    value = (value << taken) | bits;  // taken is at most 8
    m_pendingCount -= taken;
    n -= taken;
  }
  return value;
}

std::int32_t BitReader::readSB(unsigned n) {
  if (n > 32) n = 32;
  std::uint32_t value = readUB(n);
  if (n > 0 && n < 32 && (value & (1u << (n - 1))) != 0) value |= ~((1u << n) - 1u);
  return static_cast<std::int32_t>(value);
}

std::string BitReader::readString() {
  m_pendingCount = 0;
  const std::span<const std::uint8_t> rest = bytesAt(m_position);
  const auto* begin = reinterpret_cast<const char*>(rest.data());
  const void* zero = rest.empty() ? nullptr : std::memchr(begin, 0, rest.size());
  if (zero == nullptr) {
    std::string text(begin, rest.size());
    m_position = std::max(m_position, size());
    m_exhausted = true;
    return text;
  }
  const std::size_t length = static_cast<const char*>(zero) - begin;
  m_position += static_cast<std::uint32_t>(length + 1);
  return std::string(begin, length);
}

void BitReader::skip(std::uint32_t count) {
  if (!take(count)) return;
  m_position += count;
}

void BitReader::setPosition(std::uint32_t position) {
  m_position = position;
  m_pendingCount = 0;
  m_exhausted = false;
}

std::span<const std::uint8_t> BitReader::bytesAt(std::uint32_t offset) const {
  if (offset >= size()) return {};
  return m_data.subspan(offset);
}

std::span<const std::uint8_t> BitReader::bytesAt(std::uint32_t offset, std::uint32_t count) const {
  const std::span<const std::uint8_t> rest = bytesAt(offset);
  return rest.first(std::min<std::size_t>(count, rest.size()));
}

}  // namespace orvane
