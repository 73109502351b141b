// Little-endian, most-significant-bit-first reader over a byte buffer it does not own.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace orvane {

/// Every read is bounds-checked. A read that would pass the end of the data consumes
/// nothing more, returns 0 (or an empty text) and marks the reader exhausted; the flag
/// stays set until the position is set again, so a caller may read a run of fields and
/// check once.
class BitReader {
 public:
  BitReader() = default;
  explicit BitReader(std::span<const std::uint8_t> data) : m_data(data) {}

  void alignToByte() { m_pendingCount = 0; }
  std::uint8_t readU8();
  std::uint16_t readU16();
  std::uint32_t readU32();
  /// n = 0..32; n = 0 returns 0 and consumes nothing.
  std::uint32_t readUB(unsigned n);
  std::int32_t readSB(unsigned n);
  /// The bytes up to the next zero byte; the position moves past the zero. Text that runs
  /// to the end of the data without a zero is returned as read and exhausts the reader.
  std::string readString();
  /// Moves the position by `count` bytes, at most to the end of the data.
  void skip(std::uint32_t count);

  std::uint32_t position() const { return m_position; }
  /// Also drops the pending bits and clears the exhausted flag.
  void setPosition(std::uint32_t position);
  std::uint32_t size() const { return static_cast<std::uint32_t>(m_data.size()); }
  std::uint32_t remaining() const { return m_position < size() ? size() - m_position : 0; }
  bool exhausted() const { return m_exhausted; }

  /// The data from `offset` to the end (empty when `offset` lies beyond it).
  std::span<const std::uint8_t> bytesAt(std::uint32_t offset) const;
  /// `count` bytes from `offset`, clipped to the data.
  std::span<const std::uint8_t> bytesAt(std::uint32_t offset, std::uint32_t count) const;

 private:
  bool take(std::uint32_t count);

  std::span<const std::uint8_t> m_data;
  std::uint32_t m_position = 0;
  std::uint8_t m_pendingBits = 0;
  unsigned m_pendingCount = 0;
  bool m_exhausted = false;
};

}  // namespace orvane
