// Big-endian field writer for the tables of a TrueType font.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

class BigEndianWriter {
 public:
  void u8(std::uint32_t value) { m_bytes.push_back(static_cast<std::uint8_t>(value)); }
  void u16(std::uint32_t value);
  void s16(std::int32_t value) { u16(static_cast<std::uint16_t>(value)); }
  void u32(std::uint32_t value);
  void tag(std::string_view fourLetters);
  void bytes(std::span<const std::uint8_t> data) { m_bytes.insert(m_bytes.end(), data.begin(), data.end()); }
  /// Zero bytes up to the next multiple of `alignment`.
  void padTo(std::size_t alignment);

  std::size_t size() const { return m_bytes.size(); }
  const std::vector<std::uint8_t>& data() const { return m_bytes; }
  std::vector<std::uint8_t> take() { return std::move(m_bytes); }

 private:
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace orvane
