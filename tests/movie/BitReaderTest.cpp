#include "movie/BitReader.h"

#include <gtest/gtest.h>

#include <vector>

#include "movie/SwfRecords.h"
#include "movie/TagHeader.h"

namespace orvane {
namespace {

TEST(BitReader, ReadsLittleEndianBytesAndMostSignificantBitsFirst) {
  const std::vector<std::uint8_t> data = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xB5};
  BitReader reader(data);
  EXPECT_EQ(reader.readU16(), 0x1234);
  EXPECT_EQ(reader.readU32(), 0x12345678u);
  // 0xB5 = 1011 0101
  EXPECT_EQ(reader.readUB(0), 0u);
  EXPECT_EQ(reader.position(), 6u);
  EXPECT_EQ(reader.readUB(3), 0b101u);
  EXPECT_EQ(reader.readUB(5), 0b10101u);
  EXPECT_FALSE(reader.exhausted());
}

TEST(BitReader, SignExtendsSignedBitFields) {
  const std::vector<std::uint8_t> data = {0b10000'011, 0b11111111, 0xFF, 0xFF, 0xFF};
  BitReader reader(data);
  EXPECT_EQ(reader.readSB(5), -16);
  EXPECT_EQ(reader.readSB(3), 3);
  EXPECT_EQ(reader.readSB(32), -1);
  EXPECT_EQ(reader.readSB(0), 0);
}

TEST(BitReader, ByteReadAfterBitReadStartsAtTheNextWholeByte) {
  const std::vector<std::uint8_t> data = {0xF0, 0x2A, 0x01};
  BitReader reader(data);
  EXPECT_EQ(reader.readUB(2), 0b11u);
  EXPECT_EQ(reader.readU8(), 0x2A);
  EXPECT_EQ(reader.readUB(8), 0x01u);
}

TEST(BitReader, ReadsPastTheEndGiveZeroAndStickUntilRepositioned) {
  const std::vector<std::uint8_t> data = {0x01, 0x02, 0x03};
  BitReader reader(data);
  EXPECT_EQ(reader.readU16(), 0x0201);
  EXPECT_EQ(reader.readU32(), 0u);
  EXPECT_TRUE(reader.exhausted());
  EXPECT_EQ(reader.readUB(16), 0u);
  reader.setPosition(2);
  EXPECT_FALSE(reader.exhausted());
  EXPECT_EQ(reader.readU8(), 0x03);
  EXPECT_EQ(reader.readUB(1), 0u);
  EXPECT_TRUE(reader.exhausted());
  EXPECT_EQ(reader.position(), 3u);
}

TEST(BitReader, StringsStopAtTheZeroOrAtTheEnd) {
  const std::vector<std::uint8_t> data = {'a', 'b', 0, 'c', 'd'};
  BitReader reader(data);
  EXPECT_EQ(reader.readString(), "ab");
  EXPECT_EQ(reader.position(), 3u);
  EXPECT_EQ(reader.readString(), "cd");
  EXPECT_TRUE(reader.exhausted());
  EXPECT_EQ(reader.readString(), "");
}

TEST(BitReader, BytesAtClipsToTheData) {
  const std::vector<std::uint8_t> data = {1, 2, 3};
  BitReader reader(data);
  EXPECT_EQ(reader.bytesAt(1).size(), 2u);
  EXPECT_TRUE(reader.bytesAt(3).empty());
  EXPECT_TRUE(reader.bytesAt(0xFFFFFFFF, 4).empty());
  EXPECT_EQ(reader.bytesAt(2, 10).size(), 1u);
}

TEST(SwfRecords, RectMatrixAndColourTransformReadTheirFieldsInOrder) {
  // RECT, Nbits 5: xMin -16 (10000), xMax 15 (01111), yMin 1 (00001), yMax -1 (11111)
  // 00101 10000 01111 00001 11111 -> 0010 1100 0001 1110 0001 1111 1(000 0000)
  const std::vector<std::uint8_t> rectData = {0x2C, 0x1E, 0x1F, 0x80};
  BitReader rectReader(rectData);
  const SwfRect rect = readRect(rectReader);
  EXPECT_EQ(rect.xMin, -16);
  EXPECT_EQ(rect.xMax, 15);
  EXPECT_EQ(rect.yMin, 1);
  EXPECT_EQ(rect.yMax, -1);
  EXPECT_EQ(rectReader.position(), 4u);

  // MATRIX: HasScale 1, NScaleBits 2, ScaleX 01, ScaleY 11, HasRotate 0, NTranslateBits 0
  // 1 00010 01 11 0 00000 -> 1000 1001 1100 0000 (0)
  const std::vector<std::uint8_t> matrixData = {0x89, 0xC0, 0x00, 0x7E};
  BitReader matrixReader(matrixData);
  const SwfMatrix matrix = readMatrix(matrixReader);
  EXPECT_EQ(matrix.scaleX, 1);
  EXPECT_EQ(matrix.scaleY, -1);
  EXPECT_EQ(matrix.rotateSkew0, 0);
  EXPECT_EQ(matrix.translateX, 0);
  EXPECT_EQ(matrixReader.readU8(), 0x00);

  // CXFORMWITHALPHA: HasAdd 1, HasMult 0, Nbits 3, add terms 1, 2, 3, -1
  // 1 0 0011 001 010 011 111 -> 1000 1100 1010 0111 11(00 0000)
  const std::vector<std::uint8_t> cxformData = {0x8C, 0xA7, 0xC0};
  BitReader cxformReader(cxformData);
  const SwfColorTransform withAlpha = readColorTransform(cxformReader, true);
  EXPECT_EQ(withAlpha.redMult, 256);
  EXPECT_EQ(withAlpha.redAdd, 1);
  EXPECT_EQ(withAlpha.greenAdd, 2);
  EXPECT_EQ(withAlpha.blueAdd, 3);
  EXPECT_EQ(withAlpha.alphaAdd, -1);
  cxformReader.setPosition(0);
  const SwfColorTransform plain = readColorTransform(cxformReader, false);
  EXPECT_EQ(plain.blueAdd, 3);
  EXPECT_EQ(plain.alphaAdd, 0);
}

TEST(TagHeader, ShortAndLongForms) {
  // code 12, length 3 (short); then 0x3F 0x03: code 12 long form with a 32-bit length of 5.
  const std::vector<std::uint8_t> data = {0x03, 0x03, 0, 0, 0, 0x3F, 0x03, 5, 0, 0, 0};
  BitReader reader(data);
  const TagHeader shortForm = readTagHeader(reader);
  EXPECT_EQ(shortForm.code, 12);
  EXPECT_EQ(shortForm.length, 3u);
  EXPECT_EQ(shortForm.bodyOffset, 2u);
  EXPECT_EQ(shortForm.bodyEnd, 5u);
  reader.setPosition(5);
  const TagHeader longForm = readTagHeader(reader);
  EXPECT_EQ(longForm.code, 12);
  EXPECT_EQ(longForm.length, 5u);
  EXPECT_EQ(longForm.headerOffset, 5u);
  EXPECT_EQ(longForm.bodyOffset, 11u);
  EXPECT_EQ(longForm.bodyEnd, 16u);
}

TEST(TagHeader, HugeLengthDoesNotWrap) {
  const std::vector<std::uint8_t> data = {0x3F, 0x03, 0xFF, 0xFF, 0xFF, 0xFF};
  BitReader reader(data);
  const TagHeader header = readTagHeader(reader);
  EXPECT_EQ(header.bodyEnd, 6ull + 0xFFFFFFFFull);
}

}  // namespace
}  // namespace orvane
