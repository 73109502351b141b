#include "movie/SwfRecords.h"

namespace orvane {

Rgba readColor(BitReader& reader, bool withAlpha) {
  Rgba color;
  color.red = reader.readU8();
  color.green = reader.readU8();
  color.blue = reader.readU8();
  if (withAlpha) color.alpha = reader.readU8();
  return color;
}

SwfRect readRect(BitReader& reader) {
  reader.alignToByte();
  const unsigned bits = reader.readUB(5);
  SwfRect rect;
  rect.xMin = reader.readSB(bits);
  rect.xMax = reader.readSB(bits);
  rect.yMin = reader.readSB(bits);
  rect.yMax = reader.readSB(bits);
  return rect;
}

SwfMatrix readMatrix(BitReader& reader) {
  reader.alignToByte();
  SwfMatrix matrix;
  if (reader.readUB(1) != 0) {
    const unsigned bits = reader.readUB(5);
    matrix.scaleX = reader.readSB(bits);
    matrix.scaleY = reader.readSB(bits);
  }
  if (reader.readUB(1) != 0) {
    const unsigned bits = reader.readUB(5);
    matrix.rotateSkew0 = reader.readSB(bits);
    matrix.rotateSkew1 = reader.readSB(bits);
  }
  const unsigned bits = reader.readUB(5);
  matrix.translateX = reader.readSB(bits);
  matrix.translateY = reader.readSB(bits);
  return matrix;
}

SwfColorTransform readColorTransform(BitReader& reader, bool withAlpha) {
  reader.alignToByte();
  const bool hasAddTerms = reader.readUB(1) != 0;
  const bool hasMultTerms = reader.readUB(1) != 0;
  const unsigned bits = reader.readUB(4);
  SwfColorTransform transform;
  if (hasMultTerms) {
    transform.redMult = reader.readSB(bits);
    transform.greenMult = reader.readSB(bits);
    transform.blueMult = reader.readSB(bits);
    if (withAlpha) transform.alphaMult = reader.readSB(bits);
  }
  if (hasAddTerms) {
    transform.redAdd = reader.readSB(bits);
    transform.greenAdd = reader.readSB(bits);
    transform.blueAdd = reader.readSB(bits);
    if (withAlpha) transform.alphaAdd = reader.readSB(bits);
  }
  return transform;
}

}  // namespace orvane
