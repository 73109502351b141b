#include "fonts/FontDecoder.h"

#include <gtest/gtest.h>

#include "fonts/FontCodes.h"
#include "fonts/FontLibrary.h"
#include "fonts/TextDecoder.h"
#include "movie/TagHeader.h"
#include "tests/support/FontBuilder.h"
#include "tests/support/ScanFixture.h"

namespace orvane {
namespace {

using test::Bytes;

// "A": a triangle whose right side is a curve; closes where it began.
Bytes glyphA() {
  test::ShapeBuilder shape;
  shape.change({.move = true, .x = 0, .y = 0, .fill0 = 1}).lineTo(250, -700).curveTo(250, 350, 0, 350).lineTo(-500, 0);
  return test::glyphShape(shape);
}

// A square and a square hole inside it, the second contour started by a move.
Bytes glyphO() {
  test::ShapeBuilder shape;
  shape.change({.move = true, .x = 0, .y = 0, .fill0 = 1}).lineTo(0, -400).lineTo(400, 0).lineTo(0, 400).lineTo(-400, 0);
  shape.change({.move = true, .x = 100, .y = -100}).lineTo(200, 0).lineTo(0, -200).lineTo(-200, 0).lineTo(0, 200);
  return test::glyphShape(shape);
}

test::FontSpec sampleSpec() {
  test::FontSpec fields;
  fields.id = 3;
  fields.flags = 0x04 | 0x01;  // wide codes, bold
  fields.language = 1;
  fields.name = "Test Sans";
  fields.shapes = {glyphA(), test::glyphShape(test::ShapeBuilder{}), glyphO()};
  fields.codes = {'A', ' ', 0x00E9};
  fields.layout = true;
  fields.ascent = 900;
  fields.descent = 200;
  fields.leading = -30;
  fields.advances = {600, 250, 500};
  fields.bounds = {test::rectBytes(0, 500, -700, 0), test::rectBytes(0, 0, 0, 0), test::rectBytes(0, 400, -400, 0)};
  fields.kerning = {{'A', 0x00E9, -20}};
  return fields;
}

void expectGlyphA(const GlyphOutline& outline) {
  ASSERT_EQ(outline.contours.size(), 1u);
  const std::vector<GlyphPoint> expected = {{0, 0, true}, {250, -700, true}, {500, -350, false}, {500, 0, true}};
  EXPECT_EQ(outline.contours[0].points, expected);
}

TEST(FontDecoder, DefineFont2FieldByField) {
  const SwfFont font = decodeFontDefinition(tag::kDefineFont2, defineFont2Body(sampleSpec()), 8);
  EXPECT_EQ(font.faults, std::vector<std::string>{});
  EXPECT_EQ(font.id, 3);
  EXPECT_EQ(font.name, "Test Sans");  // without the counted zero
  EXPECT_TRUE(font.bold);
  EXPECT_FALSE(font.italic);
  EXPECT_EQ(font.languageCode, 1);
  EXPECT_EQ(font.emUnits, 1024u);
  EXPECT_TRUE(font.hasCodeTable);
  EXPECT_EQ(font.codeSet, FontCodeSet::Unicode);
  ASSERT_EQ(font.glyphs.size(), 3u);
  expectGlyphA(font.glyphs[0].outline);
  EXPECT_TRUE(font.glyphs[1].outline.empty());
  ASSERT_EQ(font.glyphs[2].outline.contours.size(), 2u);
  EXPECT_EQ(font.glyphs[2].outline.contours[1].points.front(), (GlyphPoint{100, -100, true}));
  EXPECT_EQ(font.glyphs[2].outline.contours[1].points.size(), 4u);
  EXPECT_EQ(font.glyphs[2].code, 0x00E9);
  EXPECT_TRUE(font.hasLayout);
  EXPECT_EQ(font.ascent, 900);
  EXPECT_EQ(font.descent, 200);
  EXPECT_EQ(font.leading, -30);
  EXPECT_EQ(font.glyphs[1].advance, 250);
  EXPECT_EQ(font.glyphs[0].bounds.yMin, -700);
  EXPECT_EQ(font.glyphs[2].bounds.xMax, 400);
  ASSERT_EQ(font.kerning.size(), 1u);
  EXPECT_EQ(font.kerning[0].leftCode, 'A');
  EXPECT_EQ(font.kerning[0].rightCode, 0x00E9);
  EXPECT_EQ(font.kerning[0].adjustment, -20);
}

TEST(FontDecoder, DefineFont3WithWideOffsetsAndEightBitFontsOfOlderMovies) {
  test::FontSpec fields = sampleSpec();
  fields.wideOffsets = true;
  SwfFont font = decodeFontDefinition(tag::kDefineFont3, defineFont2Body(fields), 8);
  EXPECT_EQ(font.faults, std::vector<std::string>{});
  EXPECT_EQ(font.emUnits, 20480u);
  ASSERT_EQ(font.glyphs.size(), 3u);
  expectGlyphA(font.glyphs[0].outline);
  EXPECT_EQ(font.kerning.size(), 1u);

  // A version 5 font with one-byte codes: the Western Windows code page.
  fields = sampleSpec();
  fields.flags = 0x10;  // ANSI
  fields.codes = {'A', ' ', 0x80};
  fields.kerning = {{'A', 0x80, 5}};
  font = decodeFontDefinition(tag::kDefineFont2, defineFont2Body(fields), 5);
  EXPECT_EQ(font.faults, std::vector<std::string>{});
  EXPECT_EQ(font.codeSet, FontCodeSet::Ansi);
  EXPECT_EQ(font.glyphs[2].code, 0x80);
  EXPECT_EQ(unicodeOfCode(font.codeSet, font.glyphs[2].code), U'\u20AC');
  ASSERT_EQ(font.kerning.size(), 1u);
  EXPECT_EQ(font.kerning[0].adjustment, 5);
}

TEST(FontDecoder, ShortOrInconsistentBodiesSayWhatIsMissing) {
  const Bytes whole = defineFont2Body(sampleSpec());
  const auto faultsOf = [](const Bytes& body) {
    return decodeFontDefinition(tag::kDefineFont2, body, 8).faults;
  };
  EXPECT_EQ(faultsOf(Bytes(whole.begin(), whole.begin() + 1)), std::vector<std::string>{"the font ends before its id"});
  EXPECT_EQ(faultsOf(Bytes(whole.begin(), whole.begin() + 6)), std::vector<std::string>{"the font ends inside its header"});
  // The code table holds 6 bytes after the shapes; losing 4 of the layout's last bytes
  // cuts the kerning record.
  EXPECT_EQ(faultsOf(Bytes(whole.begin(), whole.end() - 4)),
            std::vector<std::string>{"the kerning count 1 passes the end of the font"});
  EXPECT_EQ(faultsOf(Bytes(whole.begin(), whole.end() - 8)),
            std::vector<std::string>{"the font ends before its kerning count"});
  // Every shorter body is read without a crash, and says something is missing.
  for (std::size_t length = 0; length < whole.size(); ++length)
    EXPECT_FALSE(faultsOf(Bytes(whole.begin(), whole.begin() + length)).empty()) << length;

  Bytes counted = whole;
  const std::size_t countAt = 2 + 1 + 1 + 1 + 10;  // id, flags, language, name length, name
  counted[countAt] = 0x60;
  counted[countAt + 1] = 0xEA;  // 60000 glyphs
  EXPECT_EQ(faultsOf(counted), std::vector<std::string>{"the glyph count 60000 passes the end of the font"});

  Bytes misplaced = whole;
  misplaced[countAt + 2 + 2] = 0xFF;  // the second glyph's offset, low byte
  misplaced[countAt + 2 + 3] = 0x7F;
  const std::vector<std::string> faults = faultsOf(misplaced);
  ASSERT_FALSE(faults.empty());
  EXPECT_EQ(faults.front(), "glyph 0: its offsets 8 to 32767 lie outside the shape table");
}

TEST(FontDecoder, DefineFontWithItsInfoNameAndAlignZonesThroughTheScan) {
  // Version 5: DefineFont's glyphs, DefineFontInfo's ANSI codes and name, DefineFontName.
  const Bytes info = test::defineFontInfoBody(4, "Old Face", 0x08 | 0x04, {'A', 0x80});  // ANSI, italic
  test::ByteWriter zones;
  zones.u16(4).u8(0x40);  // hint 1
  for (int glyph = 0; glyph < 2; ++glyph) zones.u8(2).u16(0x3C00).u16(0).u16(0x3800).u16(0x3400).u8(0x03);
  test::MovieBuilder movie(5);
  movie.tag(tag::kDefineFont, test::defineFontBody(4, {glyphA(), glyphO()}))
      .tag(tag::kDefineFontInfo, info)
      .tag(tag::kDefineFontAlignZones, zones.data())
      .tag(tag::kDefineFontName, test::defineFontNameBody(4, "Old Face Italic", "(c) nobody"))
      .showFrame()
      .end();
  test::ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  const FontLibrary fonts(fixture.result, fixture.walker.movie().bytes());
  const SwfFont* font = fonts.font(4);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(fonts.font(5), nullptr);
  EXPECT_EQ(font->faults, std::vector<std::string>{});
  EXPECT_EQ(font->name, "Old Face");
  EXPECT_EQ(font->fullName, "Old Face Italic");
  EXPECT_EQ(font->copyright, "(c) nobody");
  EXPECT_TRUE(font->italic);
  EXPECT_TRUE(font->hasCodeTable);
  EXPECT_EQ(font->codeSet, FontCodeSet::Ansi);
  ASSERT_EQ(font->glyphs.size(), 2u);
  expectGlyphA(font->glyphs[0].outline);
  EXPECT_EQ(font->glyphs[1].code, 0x80);
  EXPECT_EQ(font->alignZoneHint, 1);
  ASSERT_EQ(font->alignZones.size(), 2u);
  EXPECT_EQ(font->alignZones[1].zoneData.size(), 2u);
  EXPECT_EQ(font->alignZones[1].zoneData[1].first, 0x3800);
  EXPECT_TRUE(font->alignZones[1].maskX && font->alignZones[1].maskY);
  EXPECT_EQ(fonts.fontNamed("old face", false, true), font);
  EXPECT_EQ(fonts.fontNamed("Other", false, false), nullptr);
}

TEST(FontDecoder, DefineFont4KeepsItsData) {
  test::ByteWriter body;
  body.u16(9).u8(0x04 | 0x02).string("Cff Face").u8('O').u8('T').u8('T').u8('O');
  SwfFont font = decodeFontDefinition(tag::kDefineFont4, body.data(), 10);
  EXPECT_EQ(font.faults, std::vector<std::string>{});
  EXPECT_EQ(font.name, "Cff Face");
  EXPECT_TRUE(font.italic);
  EXPECT_EQ(font.openTypeData, (std::vector<std::uint8_t>{'O', 'T', 'T', 'O'}));
  body = {};
  body.u16(9).u8(0x00).string("Device Face").u8(1);
  font = decodeFontDefinition(tag::kDefineFont4, body.data(), 10);
  EXPECT_TRUE(font.openTypeData.empty());  // no data flag: a device font
}

}  // namespace
}  // namespace orvane
