#include "tests/support/AssetMovie.h"

#include "movie/TagHeader.h"
#include "tests/support/FontBuilder.h"
#include "tests/support/ShapeBuilder.h"

namespace orvane::test {

namespace {

constexpr Color kRed{255, 0, 0};

/// A filled square of `side` twips at the origin, traced clockwise.
ShapeBuilder square(std::int32_t side) {
  ShapeBuilder shape;
  shape.change({.move = true, .x = 0, .y = 0, .fill1 = 1}).lineTo(side, 0).lineTo(0, side).lineTo(-side, 0).lineTo(0, -side);
  return shape;
}

Bytes squareShape(std::uint16_t id, const Bytes& fill) {
  ShapeBuilder shape = square(200);
  shape.fill(fill);
  return shape.defineShape(id, rectBytes(0, 200, 0, 200));
}

/// A DefineMorphShape: a red 10-pixel square growing into a blue 20-pixel one.
Bytes growingSquare(std::uint16_t id) {
  ShapeBuilder start = square(200);
  start.fill({});
  ShapeBuilder end;
  end.change({.move = true, .x = 0, .y = 0}).lineTo(400, 0).lineTo(0, 400).lineTo(-400, 0).lineTo(0, -400);
  ByteWriter styles;
  styles.u8(1).u8(0x00).bytes({255, 0, 0, 255}).bytes({0, 0, 255, 255}).u8(0);
  const Bytes startEdges = start.shape();
  ByteWriter body;
  body.u16(id).bytes(rectBytes(0, 200, 0, 200)).bytes(rectBytes(0, 400, 0, 400));
  body.u32(static_cast<std::uint32_t>(styles.data().size() + startEdges.size()));
  body.bytes(styles.data()).bytes(startEdges).bytes(end.shape());
  return body.take();
}

FontSpec twoGlyphFont() {
  ShapeBuilder box;
  box.change({.move = true, .x = 0, .y = 0, .fill0 = 1}).lineTo(0, -400).lineTo(400, 0).lineTo(0, 400).lineTo(-400, 0);
  FontSpec fields;
  fields.id = 3;
  fields.name = "Boxes";
  fields.shapes = {glyphShape(box), glyphShape(box)};
  fields.codes = {'A', 'B'};
  fields.layout = true;
  fields.ascent = 800;
  fields.descent = 200;
  fields.advances = {500, 500};
  fields.bounds = {rectBytes(0, 400, -400, 0), rectBytes(0, 400, -400, 0)};
  return fields;
}

}  // namespace

Bytes assetMovie() {
  EditTextSpec edit;
  edit.id = 5;
  edit.flags = 0x8000 | 0x0800 | 0x0100;  // has text, read only, has font
  edit.fontId = 3;
  edit.fontHeight = 240;
  edit.variableName = "score";
  edit.initialText = "Hello";
  TextRecordSpec letters;
  letters.fontId = 3;
  letters.height = 400;
  letters.glyphs = {{0, 500}, {1, 500}};
  MovieBuilder movie(8);
  movie.rect(0, 2000, 0, 2000)
      .frameCount(3)
      .tag(tag::kDefineShape3, squareShape(1, solidFill(kRed, true)))
      .tag(tag::kDefineShape3, squareShape(9, bitmapFill(0x41, 77, identityMatrix())))
      .tag(tag::kDefineMorphShape, growingSquare(2))
      .tag(tag::kDefineFont2, defineFont2Body(twoGlyphFont()))
      .tag(tag::kDefineText, defineTextBody(4, rectBytes(0, 1000, -400, 0), identityMatrix(), 1, 10, {letters}, false))
      .tag(tag::kDefineEditText, defineEditTextBody(edit))
      .placeObject2Plain(1, 1)
      .showFrame()
      .placeObject2Plain(2, 9)
      .showFrame()
      .tag(tag::kRemoveObject2, ByteWriter().u16(1).take())
      .showFrame()
      .end();
  return movie.build();
}

}  // namespace orvane::test
