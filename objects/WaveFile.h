// The RIFF WAVE layout of the sound object files: a 44-byte header in front of PCM samples.
#pragma once

#include <array>
#include <cstdint>

namespace orvane {

struct WaveFormat {
  std::uint16_t channels = 1;
  std::uint32_t samplesPerSecond = 0;
  std::uint16_t bitsPerSample = 8;

  std::uint16_t blockAlign() const { return static_cast<std::uint16_t>(channels * (bitsPerSample / 8)); }
  std::uint32_t averageBytesPerSecond() const { return samplesPerSecond * blockAlign(); }
};

inline constexpr std::uint32_t kWaveHeaderSize = 44;

/// "RIFF", the file length minus 8, "WAVE", a 16-byte PCM "fmt " chunk and the "data"
/// chunk head, all little-endian. Lengths beyond 32 bits are cut to their low 32 bits.
std::array<std::uint8_t, kWaveHeaderSize> waveHeader(const WaveFormat& format, std::uint64_t dataLength);

}  // namespace orvane
