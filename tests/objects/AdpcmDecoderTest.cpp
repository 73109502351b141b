#include "objects/AdpcmDecoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

std::vector<std::int16_t> decodeAll(const std::vector<std::uint8_t>& data, unsigned channels) {
  AdpcmDecoder decoder(data, channels);
  std::vector<std::int16_t> out(decoder.remainingFrames() * decoder.channels());
  EXPECT_EQ(decoder.decode(out) * decoder.channels(), out.size());
  return out;
}

TEST(AdpcmDecoder, TwoBitCodesOfAHandDecodedBlock) {
  // 00 code size 2 | 0000000100000000 sample 256 | 000000 index 0 (step 7) | 01 11 00 10
  //   01: +(7>>1) + 7 = +10 -> 266, index 2 (step 9)
  //   11: -(9>>1) - 9 = -13 -> 253, index 4 (step 11)
  //   00: +(11>>1) = +5     -> 258, index 3 (step 10)
  //   10: -(10>>1) = -5     -> 253, index 2
  const std::vector<std::uint8_t> block{0x00, 0x40, 0x00, 0x72};
  AdpcmDecoder decoder(block, 1);
  EXPECT_EQ(decoder.codeBits(), 2u);
  EXPECT_EQ(decoder.remainingFrames(), 5u);
  EXPECT_EQ(decodeAll(block, 1), (std::vector<std::int16_t>{256, 266, 253, 258, 253}));
}

TEST(AdpcmDecoder, FourBitCodesClampTheSample) {
  // 10 code size 4 | 0111111111111000 sample 32760 | 000000 index 0 | 0111 1111
  //   0111: (7>>3) + 7 + (7>>1) + (7>>2) = 11 -> 32771 clamped to 32767, index 8 (step 16)
  //   1111: -((16>>3) + 16 + 8 + 4) = -30 -> 32737
  EXPECT_EQ(decodeAll({0x9F, 0xFE, 0x00, 0x7F}, 1), (std::vector<std::int16_t>{32760, 32767, 32737}));
}

TEST(AdpcmDecoder, StereoInterleavesAndStopsBeforeAPartialFrame) {
  // 00 | left 1, index 0 | right -1 (0xFFFF), index 0 | 01 00 | 00 10 | 2 bits left over
  //   left 01: +3 + 7 -> 11 (index 2, step 9); right 00: +3 -> 2 (index 0)
  //   left 00: +4 -> 15; right 10: -3 -> -1
  const std::vector<std::uint8_t> block{0x00, 0x00, 0x40, 0xFF, 0xFF, 0x01, 0x08};
  EXPECT_EQ(decodeAll(block, 2), (std::vector<std::int16_t>{1, -1, 11, 2, 15, -1}));
}

TEST(AdpcmDecoder, NewPacketEvery4096Samples) {
  // Code size 2, mono: 2 + 22 + 4095 x 2 bits for the first packet, 22 for the next
  // packet's header, and 4 of the 1030 bytes' bits left: two more codes.
  std::vector<std::uint8_t> data(1030, 0);
  AdpcmDecoder decoder(data, 1);
  EXPECT_EQ(decoder.remainingFrames(), 4099u);
  std::vector<std::int16_t> out(5000);
  EXPECT_EQ(decoder.decode(out), 4099u);
  EXPECT_EQ(decoder.remainingFrames(), 0u);

  EXPECT_EQ(AdpcmDecoder({}, 1).remainingFrames(), 0u);
  EXPECT_EQ(AdpcmDecoder(std::vector<std::uint8_t>{0x00, 0x01}, 1).remainingFrames(), 0u);
}

}  // namespace
}  // namespace orvane
