#include "objects/AdpcmDecoder.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr unsigned kPacketSamples = 4096;
constexpr unsigned kPacketHeaderBits = 16 + 6;

constexpr std::array<std::int32_t, 89> kStepTable = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

// Step index changes by code magnitude, one row per code size (2 to 5 bits).
constexpr std::array<std::int32_t, 2> kIndex2 = {-1, 2};
constexpr std::array<std::int32_t, 4> kIndex3 = {-1, -1, 2, 4};
constexpr std::array<std::int32_t, 8> kIndex4 = {-1, -1, -1, -1, 2, 4, 6, 8};
constexpr std::array<std::int32_t, 16> kIndex5 = {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16};

std::int32_t indexChange(unsigned codeBits, std::uint32_t magnitude) {
  switch (codeBits) {
    case 2: return kIndex2[magnitude];
    case 3: return kIndex3[magnitude];
    case 4: return kIndex4[magnitude];
    default: return kIndex5[magnitude];
  }
}

}  // namespace

AdpcmDecoder::AdpcmDecoder(std::span<const std::uint8_t> data, unsigned channels)
    : m_data(data), m_channels(std::clamp(channels, 1u, 2u)) {
  if (remainingBits() >= 2) m_codeBits = readBits(2) + 2;
  m_framesLeft = countFrames();
}

std::size_t AdpcmDecoder::remainingBits() const { return (m_data.size() - m_nextByte) * 8 + m_bitCount; }

std::uint32_t AdpcmDecoder::readBits(unsigned count) {
  // Callers have checked remainingBits(); count is at most 16.
  while (m_bitCount <= 24 && m_nextByte < m_data.size()) {
    m_accumulator |= static_cast<std::uint32_t>(m_data[m_nextByte++]) << (24 - m_bitCount);
    m_bitCount += 8;
  }
  const std::uint32_t value = m_accumulator >> (32 - count);
  m_accumulator <<= count;
  m_bitCount -= count;
  return value;
}

std::size_t AdpcmDecoder::countFrames() const {
  if (m_codeBits == 0) return 0;
  std::size_t bits = remainingBits();
  std::uint64_t counter = m_sampleCounter;
  std::size_t frames = 0;
  const std::size_t headerBits = std::size_t{kPacketHeaderBits} * m_channels;
  const std::size_t frameBits = std::size_t{m_codeBits} * m_channels;
  for (;;) {
    if (counter % kPacketSamples == 0) {
      if (bits < headerBits) return frames;
      bits -= headerBits;
      ++frames;
      ++counter;
    }
    const std::size_t packetRest = kPacketSamples - counter % kPacketSamples;
    const std::size_t codes = std::min(packetRest, bits / frameBits);
    frames += codes;
    bits -= codes * frameBits;
    counter += codes;
    if (codes < packetRest) return frames;
  }
}

std::int16_t AdpcmDecoder::decodeCode(Channel& channel, std::uint32_t code) const {
  const std::int32_t step = kStepTable[static_cast<std::size_t>(channel.stepIndex)];
  const std::uint32_t signBit = 1u << (m_codeBits - 1);
  const std::uint32_t magnitude = code & (signBit - 1);
  std::int32_t difference = step >> (m_codeBits - 1);
  unsigned shift = 0;
  for (std::uint32_t bit = signBit >> 1; bit != 0; bit >>= 1, ++shift) {
    if ((magnitude & bit) != 0) difference += step >> shift;
  }
  channel.sample += (code & signBit) != 0 ? -difference : difference;
  channel.sample = std::clamp(channel.sample, -32768, 32767);
  channel.stepIndex = std::clamp(channel.stepIndex + indexChange(m_codeBits, magnitude), 0, 88);
  return static_cast<std::int16_t>(channel.sample);
}

std::size_t AdpcmDecoder::decode(std::span<std::int16_t> out) {
  const std::size_t wanted = std::min(out.size() / m_channels, m_framesLeft);
  m_framesLeft -= wanted;
  std::size_t written = 0;
  for (std::size_t frame = 0; frame < wanted; ++frame, ++m_sampleCounter) {
    const bool packetStart = m_sampleCounter % kPacketSamples == 0;
    for (unsigned c = 0; c < m_channels; ++c) {
      Channel& channel = m_state[c];
      if (packetStart) {
        channel.sample = static_cast<std::int16_t>(readBits(16));
        channel.stepIndex = static_cast<std::int32_t>(readBits(6));
        out[written++] = static_cast<std::int16_t>(channel.sample);
      } else {
        out[written++] = decodeCode(channel, readBits(m_codeBits));
      }
    }
  }
  return wanted;
}

}  // namespace orvane
