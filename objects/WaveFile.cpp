#include "objects/WaveFile.h"

#include <cstring>

namespace orvane {
namespace {

class HeaderBytes {
 public:
  explicit HeaderBytes(std::array<std::uint8_t, kWaveHeaderSize>& bytes) : m_bytes(bytes) {}

  void code(const char (&text)[5]) {
    std::memcpy(m_bytes.data() + m_offset, text, 4);
    m_offset += 4;
  }
  void u16(std::uint16_t value) {
    m_bytes[m_offset++] = static_cast<std::uint8_t>(value);
    m_bytes[m_offset++] = static_cast<std::uint8_t>(value >> 8);
  }
  void u32(std::uint32_t value) {
    u16(static_cast<std::uint16_t>(value));
    u16(static_cast<std::uint16_t>(value >> 16));
  }

 private:
  std::array<std::uint8_t, kWaveHeaderSize>& m_bytes;
  std::size_t m_offset = 0;
};

}  // namespace

std::array<std::uint8_t, kWaveHeaderSize> waveHeader(const WaveFormat& format, std::uint64_t dataLength) {
  std::array<std::uint8_t, kWaveHeaderSize> bytes{};
  HeaderBytes out(bytes);
  out.code("RIFF");
  out.u32(static_cast<std::uint32_t>(dataLength + kWaveHeaderSize - 8));
  out.code("WAVE");
  out.code("fmt ");
  out.u32(16);
  out.u16(1);
  out.u16(format.channels);
  out.u32(format.samplesPerSecond);
  out.u32(format.averageBytesPerSecond());
  out.u16(format.blockAlign());
  out.u16(format.bitsPerSample);
  out.code("data");
  out.u32(static_cast<std::uint32_t>(dataLength));
  return bytes;
}

}  // namespace orvane
