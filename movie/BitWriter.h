// Most-significant-bit-first writer that packs bit fields into a growing byte buffer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace orvane {

class BitWriter {
 public:
  BitWriter() { m_bytes.reserve(1024); }

  /// Appends the low n bits of value (n = 0..32), most significant first.
  void writeBits(std::uint32_t value, unsigned n);
  /// Completes a partly filled byte with zero bits; does nothing on a byte boundary.
  void flush();
  /// Writes the complete bytes; false when the write failed.
  [[nodiscard]] bool writeTo(std::FILE* file) const;

  std::span<const std::uint8_t> bytes() const { return m_bytes; }
  std::size_t count() const { return m_bytes.size(); }

 private:
  std::vector<std::uint8_t> m_bytes;
  std::uint8_t m_current = 0;
  unsigned m_freeBits = 8;
};

}  // namespace orvane
