#include "fonts/TrueTypeWriter.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_TABLES_H
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "fonts/FontUnitScale.h"
#include "fonts/SfntFile.h"
#include "fonts/TrueTypeCharacterMaps.h"
#include "fonts/TrueTypeGlyphs.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

GlyphContour contour(std::initializer_list<GlyphPoint> points) { return GlyphContour{points}; }

// A DefineFont2-like font: "A" a triangle with a curved side, "B" a square, "C" empty.
SwfFont sampleFont() {
  SwfFont font;
  font.tagCode = 48;
  font.id = 7;
  font.name = "Sample Sans";
  font.bold = true;
  font.hasCodeTable = true;
  font.hasLayout = true;
  font.ascent = 900;
  font.descent = 200;
  font.leading = 40;
  FontGlyph a;
  a.code = 'A';
  a.advance = 600;
  a.outline.contours.push_back(contour({{0, 0, true}, {250, -700, true}, {500, -350, false}, {500, 0, true}}));
  FontGlyph b;
  b.code = 'B';
  b.advance = 550;
  b.outline.contours.push_back(contour({{50, 0, true}, {50, -500, true}, {450, -500, true}, {450, 0, true}}));
  FontGlyph c;
  c.code = 'C';
  c.advance = 300;
  font.glyphs = {a, b, c};
  font.kerning = {{'A', 'B', -40}, {'B', 'Z', 15}};
  return font;
}

struct FreeTypeFace {
  explicit FreeTypeFace(const Bytes& bytes) : data(bytes) {
    EXPECT_EQ(FT_Init_FreeType(&library), 0);
    error = FT_New_Memory_Face(library, data.data(), static_cast<FT_Long>(data.size()), 0, &face);
  }
  ~FreeTypeFace() {
    if (error == 0) FT_Done_Face(face);
    FT_Done_FreeType(library);
  }
  Bytes data;
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  FT_Error error = 0;
};

std::uint32_t beU32(const Bytes& bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
}

TEST(TrueTypeWriter, FreeTypeReadsTheGlyphsCodesMetricsKerningAndNames) {
  const Bytes ttf = writeTrueType(sampleFont());
  FreeTypeFace ft(ttf);
  ASSERT_EQ(ft.error, 0);
  FT_Face face = ft.face;
  EXPECT_EQ(face->units_per_EM, 1024);
  EXPECT_EQ(face->num_glyphs, 4);  // the missing glyph and three
  EXPECT_STREQ(face->family_name, "Sample Sans");
  EXPECT_STREQ(face->style_name, "Bold");
  EXPECT_STREQ(FT_Get_Postscript_Name(face), "SampleSans-Bold");
  EXPECT_EQ(face->ascender, 900);
  EXPECT_EQ(face->descender, -200);
  EXPECT_EQ(face->height, 1140);
  EXPECT_TRUE(FT_HAS_KERNING(face));

  EXPECT_EQ(FT_Get_Char_Index(face, 'A'), 1u);
  EXPECT_EQ(FT_Get_Char_Index(face, 'B'), 2u);
  EXPECT_EQ(FT_Get_Char_Index(face, 'C'), 3u);
  EXPECT_EQ(FT_Get_Char_Index(face, 'D'), 0u);

  ASSERT_EQ(FT_Load_Glyph(face, 1, FT_LOAD_NO_SCALE), 0);
  const FT_Outline& outline = face->glyph->outline;
  ASSERT_EQ(outline.n_contours, 1);
  ASSERT_EQ(outline.n_points, 4);
  // y turned up, the control point off the curve.
  const long expected[4][3] = {{0, 0, 1}, {250, 700, 1}, {500, 350, 0}, {500, 0, 1}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(outline.points[i].x, expected[i][0]) << i;
    EXPECT_EQ(outline.points[i].y, expected[i][1]) << i;
    EXPECT_EQ(outline.tags[i] & 1, expected[i][2]) << i;
  }
  EXPECT_EQ(face->glyph->metrics.horiAdvance, 600);

  ASSERT_EQ(FT_Load_Glyph(face, 3, FT_LOAD_NO_SCALE), 0);
  EXPECT_EQ(face->glyph->outline.n_points, 0);
  EXPECT_EQ(face->glyph->metrics.horiAdvance, 300);

  FT_Vector kerning{};
  ASSERT_EQ(FT_Get_Kerning(face, 1, 2, FT_KERNING_UNSCALED, &kerning), 0);
  EXPECT_EQ(kerning.x, -40);
  ASSERT_EQ(FT_Get_Kerning(face, 2, 1, FT_KERNING_UNSCALED, &kerning), 0);
  EXPECT_EQ(kerning.x, 0);  // the pair B-Z names a code the font lacks

  const auto* head = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(face, FT_SFNT_HEAD));
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->xMin, 0);
  EXPECT_EQ(head->yMin, 0);
  EXPECT_EQ(head->xMax, 500);
  EXPECT_EQ(head->yMax, 700);
  EXPECT_EQ(head->Mac_Style & 1, 1);
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  ASSERT_NE(os2, nullptr);
  EXPECT_EQ(os2->usWeightClass, 700);
  EXPECT_EQ(os2->usFirstCharIndex, 'A');
  EXPECT_EQ(os2->usLastCharIndex, 'C');
  EXPECT_EQ(os2->xAvgCharWidth, 483);  // (600 + 550 + 300) / 3, rounded
}

TEST(TrueTypeWriter, FileChecksumsAddUp) {
  const Bytes ttf = writeTrueType(sampleFont());
  ASSERT_EQ(ttf.size() % 4, 0u);
  EXPECT_EQ(SfntFile::checksum(ttf), 0xB1B0AFBAu);
  const std::uint32_t tables = (ttf[4] << 8) | ttf[5];
  EXPECT_EQ(tables, 11u);  // head hhea maxp OS/2 hmtx cmap loca glyf kern name post
  std::string previous;
  for (std::uint32_t i = 0; i < tables; ++i) {
    const std::size_t record = 12 + 16 * i;
    const std::string tag(ttf.begin() + record, ttf.begin() + record + 4);
    EXPECT_LT(previous, tag);
    previous = tag;
    const std::uint32_t offset = beU32(ttf, record + 8);
    const std::uint32_t length = beU32(ttf, record + 12);
    EXPECT_EQ(offset % 4, 0u) << tag;
    Bytes table(ttf.begin() + offset, ttf.begin() + offset + length);
    if (tag == "head") std::memset(table.data() + 8, 0, 4);
    EXPECT_EQ(SfntFile::checksum(table), beU32(ttf, record + 4)) << tag;
  }
}

TEST(TrueTypeWriter, DefineFont3UnitsKeptExactWhereTheValuesAllow) {
  SwfFont font = sampleFont();
  font.tagCode = 75;
  font.emUnits = 20480;
  // Every value a multiple of 10: 2048 units an em, nothing rounded.
  for (FontGlyph& glyph : font.glyphs) {
    glyph.advance = static_cast<std::int16_t>(glyph.advance * 20);
    for (GlyphContour& c : glyph.outline.contours)
      for (GlyphPoint& p : c.points) p.x *= 20, p.y *= 20;
  }
  font.ascent = 18000;
  font.descent = 4000;
  font.leading = 810;  // the one value that makes 10 the shared factor
  font.kerning = {{'A', 'B', -800}};
  {
    FreeTypeFace ft(writeTrueType(font));
    ASSERT_EQ(ft.error, 0);
    EXPECT_EQ(ft.face->units_per_EM, 2048);
    ASSERT_EQ(FT_Load_Glyph(ft.face, 1, FT_LOAD_NO_SCALE), 0);
    EXPECT_EQ(ft.face->glyph->outline.points[1].x, 500);
    EXPECT_EQ(ft.face->glyph->outline.points[1].y, 1400);
    EXPECT_EQ(ft.face->glyph->metrics.horiAdvance, 1200);
  }
  // One odd coordinate: no factor shared with 20480 brings the em within 16384.
  font.glyphs[1].outline.contours[0].points[0].x = 1003;
  FreeTypeFace ft(writeTrueType(font));
  ASSERT_EQ(ft.error, 0);
  EXPECT_EQ(ft.face->units_per_EM, 16384);
  ASSERT_EQ(FT_Load_Glyph(ft.face, 2, FT_LOAD_NO_SCALE), 0);
  EXPECT_EQ(ft.face->glyph->outline.points[0].x, 802);  // 1003 * 0.8 = 802.4
}

TEST(FontUnitScale, ChoosesTheCoarsestExactUnits) {
  const auto survey = [](std::initializer_list<std::int64_t> values) {
    FontUnitSurvey s;
    for (const std::int64_t v : values) s.add(v);
    return s;
  };
  FontUnitScale scale = FontUnitScale::choose(1024, survey({3, -1000, 7}));
  EXPECT_EQ(scale.unitsPerEm(), 1024);
  EXPECT_TRUE(scale.exact());
  EXPECT_EQ(scale.apply(-1000), -1000);

  scale = FontUnitScale::choose(20480, survey({40, -120, 4}));
  EXPECT_EQ(scale.unitsPerEm(), 5120);  // shared factor 4
  EXPECT_TRUE(scale.exact());
  EXPECT_EQ(scale.apply(-120), -30);

  scale = FontUnitScale::choose(20480, survey({0, 80, -160}));
  EXPECT_EQ(scale.unitsPerEm(), 1024);  // shared factor 80, but no coarser than 1024 units
  EXPECT_TRUE(scale.exact());
  EXPECT_EQ(scale.apply(-160), -8);

  scale = FontUnitScale::choose(20480, survey({3, 20}));
  EXPECT_EQ(scale.unitsPerEm(), 16384);
  EXPECT_FALSE(scale.exact());
  EXPECT_EQ(scale.apply(3), 2);    // 2.4
  EXPECT_EQ(scale.apply(-3), -2);
  EXPECT_EQ(scale.apply(-5), -4);

  // A coordinate beyond 16 bits scales the whole font down.
  scale = FontUnitScale::choose(1024, survey({65534, 1}));
  EXPECT_EQ(scale.unitsPerEm(), 512);  // 32767 * 1024 / 65534
  EXPECT_FALSE(scale.exact());
  EXPECT_EQ(scale.apply(65534), 32767);
}

TEST(TrueTypeCharacterMaps, Format4SegmentsByDeltaOrGlyphArray) {
  // A B C to glyphs 1 2 3 (one delta), a b to glyphs 5 4 (the glyph array), the closing
  // segment; a later mapping of "A" is ignored.
  const Bytes cmap = cmapTable({{'b', 4}, {'A', 1}, {'B', 2}, {'C', 3}, {'a', 5}, {'A', 9}});
  const Bytes expected = {
      0, 0, 0, 1,              // version, one subtable
      0, 3, 0, 1, 0, 0, 0, 12,  // Windows Unicode BMP at 12
      0, 4, 0, 44, 0, 0,        // format 4, length 16 + 8 * 3 + 2 * 2, language
      0, 6, 0, 4, 0, 1, 0, 2,   // segCountX2, searchRange, entrySelector, rangeShift
      0, 0x43, 0, 0x62, 0xFF, 0xFF,  // end codes
      0, 0,                          // pad
      0, 0x41, 0, 0x61, 0xFF, 0xFF,  // start codes
      0xFF, 0xC0, 0, 0, 0, 1,        // deltas: 1 - 0x41, none, 1
      0, 0, 0, 4, 0, 0,              // range offsets: the array 4 bytes after the second's
      0, 5, 0, 4};                   // glyph array
  EXPECT_EQ(cmap, expected);
}

TEST(TrueTypeCharacterMaps, KernPairsSortedOnceEach) {
  const Bytes kern = kernTable({{2, 1, -5}, {1, 2, 7}, {2, 1, 9}});
  const Bytes expected = {0, 0, 0, 1,                                  // version, one subtable
                          0, 0, 0, 26, 0, 1,                          // version, length, horizontal
                          0, 2, 0, 12, 0, 1, 0, 0,                    // pairs, search fields
                          0, 1, 0, 2, 0, 7, 0, 2, 0, 1, 0xFF, 0xFB};  // 1-2 +7, 2-1 -5
  EXPECT_EQ(kern, expected);
}

TEST(TrueTypeGlyphTables, EncodesDeltasSameShortLongAndRepeatedFlags) {
  TrueTypeGlyph glyph;
  glyph.advance = 700;
  glyph.outline.contours.push_back(contour({{0, 0, true}, {0, 300, true}, {10, 300, false}, {-290, 0, true}}));
  const TrueTypeGlyphTables tables({glyph});
  // Flags: p0 x same y same on; p1 x same, y +300 long; p2 x +10 short, y same, off; p3 x
  // -300 long, y -300 long, on.
  const Bytes flags = {0x31, 0x11, 0x32, 0x01};
  Bytes want = {0, 1, 0xFE, 0xDE, 0, 0, 0, 10, 0x01, 0x2C,  // 1 contour, box -290 0 10 300
                0, 3, 0, 0};                                 // last point 3, no instructions
  want.insert(want.end(), flags.begin(), flags.end());
  const Bytes xs = {10, 0xFE, 0xD4};          // +10, -300
  const Bytes ys = {0x01, 0x2C, 0xFE, 0xD4};  // +300, -300
  want.insert(want.end(), xs.begin(), xs.end());
  want.insert(want.end(), ys.begin(), ys.end());
  want.push_back(0);  // pad to a whole word
  EXPECT_EQ(tables.glyf(), want);
  EXPECT_EQ(tables.loca(), (Bytes{0, 0, 0, static_cast<std::uint8_t>(want.size() / 2)}));
  EXPECT_EQ(tables.hmtx(), (Bytes{0x02, 0xBC, 0xFE, 0xDE}));  // advance 700, bearing -290

  // Three equal flags: one flag with the repeat bit and a count of 2; no coordinate bytes.
  TrueTypeGlyph still;
  still.outline.contours.push_back(contour({{0, 0, true}, {0, 0, true}, {0, 0, true}}));
  const TrueTypeGlyphTables repeated({still});
  EXPECT_EQ(repeated.glyf(), (Bytes{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0x39, 2}));
}

TEST(TrueTypeWriter, DefineFont4DataKeptAsItIs) {
  SwfFont font;
  font.tagCode = 91;
  font.openTypeData = {'O', 'T', 'T', 'O', 1, 2, 3};
  const FontFile file = fontFileOf(font);
  EXPECT_EQ(file.extension, ".otf");
  EXPECT_EQ(file.bytes, font.openTypeData);
  EXPECT_EQ(fontFileOf(sampleFont()).extension, ".ttf");
}

}  // namespace
}  // namespace orvane
