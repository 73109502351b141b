// Decoder of the ADPCM sound data of SWF movies into 16-bit PCM samples.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace orvane {

/// The data opens with a 2-bit code size (2 to 5 bits per code). Samples come in packets
/// of 4096 per channel: each packet starts with a raw 16-bit sample and a 6-bit step index
/// per channel, every further sample is one code per channel. Stereo output interleaves
/// left and right. The decoder never reads past its data: it stops before a sample frame
/// (one sample of every channel) whose bits the data does not hold.
class AdpcmDecoder {
 public:
  /// `channels` is 1 or 2 (larger values are taken as 2, 0 as 1).
  AdpcmDecoder(std::span<const std::uint8_t> data, unsigned channels);

  unsigned channels() const { return m_channels; }
  /// Bits per code, 2 to 5; 0 when the data is too short to hold the code size.
  unsigned codeBits() const { return m_codeBits; }
  /// How many whole sample frames the data still holds.
  std::size_t remainingFrames() const { return m_framesLeft; }
  /// Decodes up to out.size() / channels() sample frames into `out`; returns how many
  /// frames were decoded (fewer only at the end of the data).
  std::size_t decode(std::span<std::int16_t> out);

 private:
  struct Channel {
    std::int32_t sample = 0;
    std::int32_t stepIndex = 0;
  };

  std::uint32_t readBits(unsigned count);
  std::size_t remainingBits() const;
  std::size_t countFrames() const;
  std::int16_t decodeCode(Channel& channel, std::uint32_t code) const;

  std::span<const std::uint8_t> m_data;
  std::size_t m_nextByte = 0;
  std::uint32_t m_accumulator = 0;
  unsigned m_bitCount = 0;
  unsigned m_channels = 1;
  unsigned m_codeBits = 0;
  std::uint64_t m_sampleCounter = 0;
  std::array<Channel, 2> m_state{};
  std::size_t m_framesLeft = 0;
};

}  // namespace orvane
