// Bit-field packing for the builders: fields most significant bit first, as the format stores them.
#pragma once

#include <cstdint>
#include <vector>

namespace orvane::test {

/// The fewest bits of a signed field (SB) that hold `value`.
unsigned signedBitsFor(std::int32_t value);

class BitPacker {
 public:
  void put(std::uint32_t value, unsigned count);
  /// The bytes, the last one completed with zero bits.
  std::vector<std::uint8_t> finish();

 private:
  void flush();
  std::vector<std::uint8_t> m_bytes;
  std::uint8_t m_current = 0;
  unsigned m_used = 0;
};

}  // namespace orvane::test
