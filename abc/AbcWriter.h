// Writes the field encodings of an ABC block: u8, u16, s24, the variable-length u30 / u32 /
// s32, d64 and strings by length.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace orvane {

class AbcWriter {
 public:
  AbcWriter& u8(std::uint32_t value);
  AbcWriter& u16(std::uint32_t value);
  AbcWriter& s24(std::int32_t value);
  /// The shortest variable-length encoding of u30, u32 and s32 (s32 as its 32 bits).
  AbcWriter& u30(std::uint32_t value);
  AbcWriter& s32(std::int32_t value) { return u30(static_cast<std::uint32_t>(value)); }
  AbcWriter& d64(double value);
  /// u30 length, then the bytes.
  AbcWriter& string(std::string_view text);
  AbcWriter& bytes(std::span<const std::uint8_t> data);
  std::uint32_t size() const { return static_cast<std::uint32_t>(m_data.size()); }
  const std::vector<std::uint8_t>& data() const { return m_data; }
  std::vector<std::uint8_t>& data() { return m_data; }

 private:
  std::vector<std::uint8_t> m_data;
};

}  // namespace orvane
