// Writes the demo movie: a version 5 movie with something for every panel to show.
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "movie/BitWriter.h"
#include "tests/support/MovieBuilder.h"

namespace {

using orvane::test::Bytes;
using orvane::test::ByteWriter;

Bytes pushString(const std::string& text) {
  return ByteWriter().u8(0x96).u16(static_cast<std::uint32_t>(text.size() + 2)).u8(0).string(text).take();
}

Bytes join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A 64 x 64 colour gradient as 32-bit pixels (alpha, red, green, blue), deflated.
Bytes gradientBitmap() {
  Bytes pixels;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) pixels.insert(pixels.end(), {0xFF, static_cast<std::uint8_t>(x * 4),
                                                               static_cast<std::uint8_t>(y * 4), 0x80});
  uLongf size = compressBound(static_cast<uLong>(pixels.size()));
  Bytes packed(size);
  if (compress(packed.data(), &size, pixels.data(), static_cast<uLong>(pixels.size())) != Z_OK) return {};
  packed.resize(size);
  return packed;
}

// Half a second of a 440 Hz tone, 16-bit little-endian mono at 11025 Hz.
Bytes tone(std::uint32_t samples) {
  ByteWriter writer;
  for (std::uint32_t i = 0; i < samples; ++i)
    writer.u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(i * 2 * M_PI * 440 / 11025))));
  return writer.take();
}

Bytes bytesOf(orvane::BitWriter& bits) {
  bits.flush();
  return {bits.bytes().begin(), bits.bytes().end()};
}

// A MATRIX record that scales by `scale` (16.16 fixed point, 0 for none) and moves by
// (x, y) twips.
void writeMatrix(orvane::BitWriter& bits, std::int32_t scale, std::int32_t x, std::int32_t y) {
  constexpr unsigned kScaleBits = 24;
  constexpr unsigned kTranslateBits = 16;
  bits.writeBits(scale != 0 ? 1 : 0, 1);
  if (scale != 0) {
    bits.writeBits(kScaleBits, 5);
    bits.writeBits(static_cast<std::uint32_t>(scale), kScaleBits);
    bits.writeBits(static_cast<std::uint32_t>(scale), kScaleBits);
  }
  bits.writeBits(0, 1);  // no rotation
  bits.writeBits(kTranslateBits, 5);
  bits.writeBits(static_cast<std::uint32_t>(x), kTranslateBits);
  bits.writeBits(static_cast<std::uint32_t>(y), kTranslateBits);
}

// DefineShape `id`: a square of `side` twips filled with bitmap `bitmapId` (one bitmap
// pixel per 20 twips), drawn clockwise so that the fill lies on the right of each edge.
Bytes bitmapSquare(std::uint16_t id, std::uint16_t bitmapId, std::int32_t side) {
  constexpr unsigned kEdgeBits = 14;
  orvane::BitWriter bits;
  bits.writeBits(kEdgeBits, 5);  // bounds
  for (const std::int32_t edge : {0, side, 0, side}) bits.writeBits(static_cast<std::uint32_t>(edge), kEdgeBits);
  bits.flush();
  bits.writeBits(1, 8);     // one fill style
  bits.writeBits(0x41, 8);  // clipped bitmap
  bits.writeBits(bitmapId & 0xFF, 8);
  bits.writeBits(bitmapId >> 8, 8);
  writeMatrix(bits, 20 << 16, 0, 0);
  bits.flush();
  bits.writeBits(0, 8);   // no line styles
  bits.writeBits(1, 4);   // fill style index bits
  bits.writeBits(0, 4);   // line style index bits
  bits.writeBits(0x05, 6);  // style change: fill style 1 and a move
  bits.writeBits(1, 5);
  bits.writeBits(0, 1);
  bits.writeBits(0, 1);
  bits.writeBits(1, 1);  // fill style 1
  const auto edge = [&bits](bool vertical, std::int32_t delta) {
    bits.writeBits(0b11, 2);  // straight edge
    bits.writeBits(kEdgeBits - 2, 4);
    bits.writeBits(0, 1);  // not a general line
    bits.writeBits(vertical ? 1 : 0, 1);
    bits.writeBits(static_cast<std::uint32_t>(delta), kEdgeBits);
  };
  edge(false, side);
  edge(true, side);
  edge(false, -side);
  edge(true, -side);
  bits.writeBits(0, 6);  // end of shape
  return join({ByteWriter().u16(id).take(), bytesOf(bits)});
}

// PlaceObject2 of `characterId` at `depth`, scaled by `scale` (16.16) and moved to (x, y).
Bytes placeScaled(std::uint16_t depth, std::uint16_t characterId, std::int32_t scale, std::int32_t x, std::int32_t y) {
  orvane::BitWriter bits;
  writeMatrix(bits, scale, x, y);
  return join({ByteWriter().u8(0x06).u16(depth).u16(characterId).take(), bytesOf(bits)});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: orvane-demo OUT.swf\n";
    return 2;
  }
  const Bytes stop = {0x07};
  const Bytes play = {0x06};
  const Bytes end = {0x00};
  const Bytes gotoFirstFrame = {0x81, 0x02, 0x00, 0x00, 0x00};
  const Bytes getUrl = join({{0x83}, ByteWriter().u16(20).string("http://example.org").u8(0).take()});

  orvane::test::TagList spinner;
  spinner.showFrame().end();

  constexpr std::uint32_t kToneSamples = 5512;
  orvane::test::MovieBuilder movie(5);
  movie.rect(0, 11000, 0, 8000).frameRate(0x0C00).frameCount(2);
  movie.defineBitsLossless(false, 20, 5, 64, 64, 0, gradientBitmap())
      .defineSound(30, 3, 1, true, false, kToneSamples, tone(kToneSamples))
      .defineButton2(40, {{0x0008, join({getUrl, end})}, {0x0001, join({play, end})}})
      .tag(2, bitmapSquare(50, 20, 64 * 20))
      .tag(26, placeScaled(1, 50, 4 << 16, 147 * 20, 72 * 20))
      .defineSprite(10, 1, spinner)
      .placeObject2(5, 2, 10, "spinner", 0, {{0x0001, join({stop, end})}})
      .doAction(join({pushString("Welcome to Orvane"), {0x26}, stop, end}))
      .showFrame()
      .frameLabel("second")
      .doAction(join({gotoFirstFrame, play, end}))
      .showFrame()
      .end();
  const Bytes bytes = movie.build();
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return out ? 0 : 1;
}
