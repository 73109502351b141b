#include "abc/AbcReader.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(AbcReader, VariableLengthIntegersAtTheirEdges) {
  const Bytes bytes{
      0x7F,                          // u30 127 in one byte
      0x80, 0x01,                    // u30 128
      0xFF, 0xFF, 0xFF, 0xFF, 0x03,  // u30 2^30 - 1, the largest
      0xFF, 0xFF, 0xFF, 0xFF, 0x0F,  // u32 2^32 - 1
      0xFF, 0xFF, 0xFF, 0xFF, 0x7F,  // u32: the fifth byte's bits above the 32 are dropped
      0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // u32: a fifth byte with its high bit still ends the value
      0x01,                          // u8 after it
      0xFB, 0xFF, 0xFF, 0xFF, 0x0F,  // s32 -5
      0x7F,                          // s32 127: a short encoding is not sign-extended
  };
  AbcReader reader(bytes);
  EXPECT_EQ(reader.readU30(), 127u);
  EXPECT_EQ(reader.readU30(), 128u);
  EXPECT_EQ(reader.readU30(), (1u << 30) - 1);
  EXPECT_EQ(reader.readU32(), 0xFFFFFFFFu);
  EXPECT_EQ(reader.readU32(), 0xFFFFFFFFu);
  EXPECT_EQ(reader.readU32(), 0xFFFFFFFFu);
  EXPECT_EQ(reader.position(), 23u);
  EXPECT_EQ(reader.readU8(), 1u);
  EXPECT_EQ(reader.readS32(), -5);
  EXPECT_EQ(reader.readS32(), 127);
  EXPECT_FALSE(reader.failed());
  EXPECT_EQ(reader.remaining(), 0u);
}

TEST(AbcReader, FixedFieldsAndStrings) {
  const Bytes bytes{
      0x34, 0x12,                                      // u16 0x1234
      0xFF, 0xFF, 0xFF,                                // s24 -1
      0x00, 0x00, 0x80,                                // s24 -2^23
      0x05, 0x00, 0x00,                                // s24 5
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F,  // d64 1.5
      0x03, 'a', 'b', 'c',                             // string "abc"
      0x00,                                            // empty string
  };
  AbcReader reader(bytes);
  EXPECT_EQ(reader.readU16(), 0x1234u);
  EXPECT_EQ(reader.readS24(), -1);
  EXPECT_EQ(reader.readS24(), -(1 << 23));
  EXPECT_EQ(reader.readS24(), 5);
  EXPECT_EQ(reader.readD64(), 1.5);
  EXPECT_EQ(reader.readString(), "abc");
  EXPECT_EQ(reader.readString(), "");
  EXPECT_FALSE(reader.failed());
}

TEST(AbcReader, FaultsKeepTheirOffsetAndStick) {
  {
    const Bytes bytes{0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x07};  // u30 1, then 2^31 - 1 as u30
    AbcReader reader(bytes);
    EXPECT_EQ(reader.readU30(), 1u);
    EXPECT_EQ(reader.readU30(), 0u);
    ASSERT_TRUE(reader.failed());
    EXPECT_EQ(reader.error().offset, 1u);
    EXPECT_EQ(reader.error().message, "u30 value 2147483647 is out of range");
  }
  {
    const Bytes bytes{0x05, 'a', 'b', 0x01};  // a string of 5 bytes with 3 left
    AbcReader reader(bytes);
    EXPECT_EQ(reader.readString(), "");
    EXPECT_EQ(reader.readU8(), 0u);  // sticky: the byte is there but the reader has failed
    EXPECT_EQ(reader.error().offset, 1u);
    EXPECT_EQ(reader.error().message, "a string runs past the end of the block");
  }
  {
    const Bytes bytes{0x80, 0x80};  // a u30 whose continuation runs off the end
    AbcReader reader(bytes);
    EXPECT_EQ(reader.readU30(), 0u);
    EXPECT_EQ(reader.error().offset, 2u);
    EXPECT_EQ(reader.error().message, "a variable-length integer runs past the end of the block");
  }
  {
    const Bytes bytes{0x04, 0x01, 0x02, 0x03};  // four entries announced, three bytes left
    AbcReader reader(bytes);
    EXPECT_EQ(reader.readCount("trait"), 0u);
    EXPECT_EQ(reader.error().offset, 0u);
    EXPECT_EQ(reader.error().message, "trait count 4 runs past the end of the block");
  }
  {
    const Bytes bytes{0x03, 0x01, 0x02};  // a pool count of 3 holds two entries
    AbcReader reader(bytes);
    EXPECT_EQ(reader.readPoolCount("integer", 1), 2u);
    EXPECT_FALSE(reader.failed());
  }
}

}  // namespace
}  // namespace orvane
