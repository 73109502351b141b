#include "fonts/TextDecoder.h"

#include <gtest/gtest.h>

#include "fonts/EditTextContent.h"
#include "fonts/EditTextLayout.h"
#include "fonts/FontLibrary.h"
#include "fonts/GlyphCodes.h"
#include "fonts/TextAssets.h"
#include "fonts/TextLayout.h"
#include "fonts/TextSvgWriter.h"
#include "movie/TagHeader.h"
#include "tests/support/FontBuilder.h"
#include "tests/support/ScanFixture.h"

namespace orvane {
namespace {

using test::Bytes;

// The font of these tests: "A" (advance 600), a blank " " (250) and "é" (500), 1024 units
// to the em, ascent 900, descent 200; the pair A-é kerned by -20.
test::FontSpec testFont() {
  test::ShapeBuilder a;
  a.change({.move = true, .x = 0, .y = 0, .fill0 = 1}).lineTo(250, -700).curveTo(250, 350, 0, 350).lineTo(-500, 0);
  test::ShapeBuilder e;
  e.change({.move = true, .x = 0, .y = 0, .fill0 = 1}).lineTo(0, -400).lineTo(400, 0).lineTo(0, 400).lineTo(-400, 0);
  test::FontSpec spec;
  spec.id = 3;
  spec.name = "Test Sans";
  spec.shapes = {test::glyphShape(a), test::glyphShape(test::ShapeBuilder{}), test::glyphShape(e)};
  spec.codes = {'A', ' ', 0x00E9};
  spec.layout = true;
  spec.ascent = 900;
  spec.descent = 200;
  spec.advances = {600, 250, 500};
  spec.bounds = {test::rectBytes(0, 500, -700, 0), test::rectBytes(0, 0, 0, 0), test::rectBytes(0, 400, -400, 0)};
  spec.kerning = {{'A', 0x00E9, -20}};
  return spec;
}

std::vector<test::TextRecordSpec> testRecords() {
  test::TextRecordSpec first;
  first.fontId = 3;
  first.height = 512;  // half the em
  first.hasColor = true;
  first.color = {255, 0, 0, 128};
  first.xOffset = 0;
  first.yOffset = 0;
  first.glyphs = {{0, 600}, {1, 250}};
  test::TextRecordSpec second;  // the next line
  second.xOffset = 50;
  second.yOffset = 400;
  second.glyphs = {{2, 500}};
  test::TextRecordSpec third;  // a glyph the font lacks
  third.glyphs = {{3, -100}};
  return {first, second, third};
}

// A movie with the test font, the static text 10 (translated by 100, 200) and `more`.
struct TextMovie {
  explicit TextMovie(const Bytes& more = {}, std::uint16_t moreCode = 0) {
    test::MovieBuilder movie(8);
    movie.tag(tag::kDefineFont2, defineFont2Body(testFont()))
        .tag(tag::kDefineText2, test::defineTextBody(10, test::rectBytes(0, 2000, -800, 200),
                                                     test::matrixBytes(65536, 65536, 0, 0, 100, 200), 2, 11,
                                                     testRecords(), true));
    if (moreCode != 0) movie.tag(moreCode, more);
    movie.showFrame().end();
    EXPECT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
    fonts = std::make_unique<FontLibrary>(fixture.result, fixture.walker.movie().bytes());
  }
  std::span<const std::uint8_t> bodyOf(std::uint16_t code) const {
    for (const auto& text : fixture.timeline(0).texts)
      if (text->code == code) return text->bodyIn(fixture.walker.movie().bytes());
    return {};
  }
  test::ScanFixture fixture;
  std::unique_ptr<FontLibrary> fonts;
};

TEST(TextDecoder, DefineText2RecordsCharactersPlacedGlyphsAndSvg) {
  const TextMovie movie;
  const StaticText text = decodeStaticText(tag::kDefineText2, movie.bodyOf(tag::kDefineText2));
  EXPECT_EQ(text.faults, std::vector<std::string>{});
  EXPECT_EQ(text.id, 10);
  EXPECT_EQ(text.bounds.yMin, -800);
  EXPECT_EQ(text.matrix.translateX, 100);
  ASSERT_EQ(text.records.size(), 3u);
  const TextRecord& first = text.records[0];
  EXPECT_TRUE(first.hasFont && first.hasColor && first.hasXOffset && first.hasYOffset);
  EXPECT_EQ(first.fontId, 3);
  EXPECT_EQ(first.height, 512);
  EXPECT_EQ(first.color, (Rgba{255, 0, 0, 128}));
  ASSERT_EQ(first.glyphs.size(), 2u);
  EXPECT_EQ(first.glyphs[0].advance, 600);
  EXPECT_FALSE(text.records[1].hasFont);
  EXPECT_EQ(text.records[1].yOffset, 400);
  EXPECT_EQ(text.records[2].glyphs[0].index, 3u);
  EXPECT_EQ(text.records[2].glyphs[0].advance, -100);

  EXPECT_EQ(staticTextCharacters(text, *movie.fonts), "A \n\xC3\xA9\xEF\xBF\xBD");
  const TextAssets assets(movie.fixture.walker.movie().bytes(), 8, *movie.fonts);
  const TextObject& object = *movie.fixture.timeline(0).texts.at(0);
  EXPECT_EQ(assets.characters(object), staticTextCharacters(text, *movie.fonts));
  EXPECT_EQ(assets.picture(object).glyphs.size(), 3u);
  EXPECT_TRUE(assets.properties(object).empty());

  const SwfFont& font = *movie.fonts->font(3);
  EXPECT_EQ(glyphCodeText(font, 0), "U+0041 A");
  EXPECT_EQ(glyphCodeText(font, 2), "U+00E9 \xC3\xA9");
  SwfFont ansi = font;
  ansi.codeSet = FontCodeSet::Ansi;
  ansi.glyphs[2].code = 0x80;
  ansi.glyphs[1].code = 0x09;
  EXPECT_EQ(glyphCodeText(ansi, 2), "0x80 \xE2\x82\xAC");
  EXPECT_EQ(glyphCodeText(ansi, 1), "0x09");
  ansi.hasCodeTable = false;
  EXPECT_EQ(glyphCodeText(ansi, 1), "#1");

  const std::vector<PlacedGlyph> placed = placeStaticText(text, *movie.fonts);
  ASSERT_EQ(placed.size(), 3u);  // A, the blank and é; index 3 is left out
  EXPECT_EQ(placed[0].transform.a, 0.5);
  EXPECT_EQ(placed[0].transform.tx, 100);
  EXPECT_EQ(placed[0].transform.ty, 200);
  EXPECT_EQ(placed[2].transform.tx, 150);  // x offset 50 and the matrix's 100
  EXPECT_EQ(placed[2].transform.ty, 600);
  EXPECT_EQ(placed[2].color, (Rgba{255, 0, 0, 128}));

  EXPECT_EQ(staticTextSvg(text, *movie.fonts),
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"50\" viewBox=\"0 -40 100 50\">\n"
            "<path transform=\"matrix(0.025 0 0 0.025 5 10)\" fill=\"#ff0000\" fill-opacity=\"0.5019607843137255\" "
            "fill-rule=\"evenodd\" d=\"M0 0L250 -700Q500 -350 500 0Z\"/>\n"
            "<path transform=\"matrix(0.025 0 0 0.025 7.5 30)\" fill=\"#ff0000\" fill-opacity=\"0.5019607843137255\" "
            "fill-rule=\"evenodd\" d=\"M0 0L0 -400L400 -400L400 0Z\"/>\n"
            "</svg>\n");
}

TEST(TextDecoder, ShortStaticTextsSayWhatIsMissing) {
  const Bytes whole = test::defineTextBody(10, test::rectBytes(0, 2000, -800, 200), test::identityMatrix(), 2, 11,
                                           testRecords(), false);
  const auto faultsOf = [](const Bytes& body) { return decodeStaticText(tag::kDefineText, body).faults; };
  EXPECT_EQ(faultsOf(whole), std::vector<std::string>{});
  EXPECT_EQ(faultsOf(Bytes(whole.begin(), whole.begin() + 3)), std::vector<std::string>{"the text ends inside its header"});
  EXPECT_EQ(faultsOf(Bytes(whole.begin(), whole.end() - 1)),
            std::vector<std::string>{"the text ends without its end record"});
  EXPECT_EQ(faultsOf(Bytes(whole.begin(), whole.end() - 2)),
            std::vector<std::string>{"the glyphs of text record 2 pass the end of the text"});
  for (std::size_t length = 0; length < whole.size(); ++length)
    EXPECT_FALSE(faultsOf(Bytes(whole.begin(), whole.begin() + length)).empty()) << length;
  Bytes wide = whole;
  // The glyph index width, after the id, the bounds and the matrix.
  wide[2 + test::rectBytes(0, 2000, -800, 200).size() + test::identityMatrix().size()] = 40;
  EXPECT_EQ(faultsOf(wide), std::vector<std::string>{"the glyph field widths 40 and 11 pass 32 bits"});
}

TEST(TextDecoder, DefineEditTextPropertiesAndTexts) {
  test::EditTextSpec spec;
  spec.id = 12;
  spec.flags = 0xFFFF;  // every flag, every field
  spec.fontId = 3;
  spec.fontClass = "Fonts.Body";
  spec.fontHeight = 240;
  spec.color = {1, 2, 3, 4};
  spec.maxLength = 20;
  spec.align = 2;
  spec.leftMargin = 40;
  spec.rightMargin = 60;
  spec.indent = 20;
  spec.leading = -10;
  spec.variableName = "_root.v";
  spec.initialText = "<b>H\xC3\xA9</b>";
  const Bytes body = test::defineEditTextBody(spec);
  const EditText text = decodeEditText(body, 8);
  EXPECT_EQ(text.faults, std::vector<std::string>{});
  EXPECT_EQ(text.id, 12);
  EXPECT_EQ(text.bounds.xMax, 2000);
  EXPECT_TRUE(text.hasText && text.wordWrap && text.multiline && text.password && text.readOnly);
  EXPECT_TRUE(text.hasTextColor && text.hasMaxLength && text.hasFont && text.hasFontClass && text.autoSize);
  EXPECT_TRUE(text.hasLayout && text.noSelect && text.border && text.wasStatic && text.html && text.useOutlines);
  EXPECT_EQ(text.fontId, 3);
  EXPECT_EQ(text.fontClass, "Fonts.Body");
  EXPECT_EQ(text.fontHeight, 240);
  EXPECT_EQ(text.textColor, (Rgba{1, 2, 3, 4}));
  EXPECT_EQ(text.maxLength, 20);
  EXPECT_EQ(text.align, 2);
  EXPECT_EQ(text.leftMargin, 40);
  EXPECT_EQ(text.rightMargin, 60);
  EXPECT_EQ(text.indent, 20);
  EXPECT_EQ(text.leading, -10);
  EXPECT_EQ(text.variableName, "_root.v");
  EXPECT_EQ(text.initialText, "<b>H\xC3\xA9</b>");

  using Rows = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(editTextProperties(text),
            (Rows{{"Bounds", "X 0, Y 0, Width 100, Height 20"},
                  {"Font", "ID 3, class Fonts.Body"},
                  {"Height", "12 px"},
                  {"Colour", "#010203, alpha 4"},
                  {"Max Length", "20"},
                  {"Align", "Center"},
                  {"Margins", "left 2 px, right 3 px"},
                  {"Indent", "1 px"},
                  {"Leading", "-0.5 px"},
                  {"Variable", "_root.v"},
                  {"Flags", "word-wrap multiline password read-only auto-size no-select border was-static html outlines"}}));

  // A version 5 movie's text is the Western Windows code page: 0xE9 is é.
  spec.flags = 0x8000;
  spec.initialText = "caf\xE9";
  EXPECT_EQ(decodeEditText(test::defineEditTextBody(spec), 5).initialText, "caf\xC3\xA9");

  EXPECT_EQ(decodeEditText(Bytes(body.begin(), body.begin() + 4), 8).faults,
            std::vector<std::string>{"the edit text ends inside its header"});
  EXPECT_EQ(decodeEditText(Bytes(body.begin(), body.end() - 1), 8).faults,
            std::vector<std::string>{"the edit text ends inside its initial text"});
  for (std::size_t length = 0; length < body.size(); ++length)
    EXPECT_FALSE(decodeEditText(Bytes(body.begin(), body.begin() + length), 8).faults.empty()) << length;
}

TEST(EditTextContent, HtmlTagsEntitiesAndPlainLines) {
  EditText text;
  text.html = true;
  text.fontId = 3;
  text.fontHeight = 240;
  text.initialText =
      "<P ALIGN=\"center\"><font face='Test Sans' size=\"20\" color=\"#00FF00\" kerning=\"1\">A&amp;B<b>C</b></font>"
      "</p><p>x&bogus;y&#233;<br>z</p>";
  const std::vector<TextParagraph> paragraphs = editTextContent(text);
  ASSERT_EQ(paragraphs.size(), 3u);
  EXPECT_EQ(paragraphs[0].format.align, TextAlign::Center);
  ASSERT_EQ(paragraphs[0].runs.size(), 2u);
  EXPECT_EQ(paragraphs[0].runs[0].text, U"A&B");
  const CharacterFormat& format = paragraphs[0].runs[0].format;
  EXPECT_EQ(format.face, "Test Sans");
  EXPECT_EQ(format.size, 400);
  EXPECT_EQ(format.color, (Rgba{0, 255, 0, 255}));
  EXPECT_TRUE(format.kerning);
  EXPECT_FALSE(format.bold);
  EXPECT_EQ(paragraphs[0].runs[1].text, U"C");
  EXPECT_TRUE(paragraphs[0].runs[1].format.bold);
  EXPECT_EQ(paragraphs[1].format.align, TextAlign::Left);
  ASSERT_EQ(paragraphs[1].runs.size(), 1u);
  EXPECT_EQ(paragraphs[1].runs[0].text, U"x&bogus;y\u00E9");  // an unknown entity stays as it is
  EXPECT_EQ(paragraphs[1].runs[0].format.size, 240);
  EXPECT_EQ(paragraphs[2].runs[0].text, U"z");

  // Plain lines take the field's paragraph format, each of them (the list grows while the
  // format is copied).
  EditText plain;
  plain.initialText = "a\r\nb\rc\nd" + std::string(40, '\n');
  plain.password = true;
  plain.hasLayout = true;
  plain.align = 2;
  const std::vector<TextParagraph> lines = editTextContent(plain);
  ASSERT_EQ(lines.size(), 44u);
  EXPECT_EQ(lines[3].runs[0].text, U"*");
  EXPECT_TRUE(lines[43].runs.empty());
  EXPECT_EQ(lines[43].format.align, TextAlign::Center);
}

// An edit text of the test font at 1024 twips (one font unit a twip) in a field 4000 by
// 2000 twips: the text starts 40 twips inside, the first baseline 900 below that.
EditText field(const std::string& content) {
  EditText text;
  text.bounds = {0, 4000, 0, 2000};
  text.hasFont = true;
  text.fontId = 3;
  text.fontHeight = 1024;
  text.hasText = true;
  text.initialText = content;
  text.useOutlines = true;
  return text;
}

std::vector<std::pair<double, double>> originsOf(const EditTextLayout& layout) {
  std::vector<std::pair<double, double>> origins;
  for (const PlacedGlyph& glyph : layout.glyphs) origins.emplace_back(glyph.transform.tx, glyph.transform.ty);
  return origins;
}

TEST(EditTextLayout, AlignsWrapsKernsAndFindsFontsByName) {
  const TextMovie movie;
  using Origins = std::vector<std::pair<double, double>>;
  EXPECT_EQ(originsOf(layOutEditText(field("A A"), *movie.fonts)), (Origins{{40, 940}, {890, 940}}));

  EditText centered = field("A A");
  centered.hasLayout = true;
  centered.align = 2;  // the line is 1450 wide in 3920: 1235 to each side
  EXPECT_EQ(originsOf(layOutEditText(centered, *movie.fonts)), (Origins{{1275, 940}, {2125, 940}}));
  centered.align = 1;
  EXPECT_EQ(originsOf(layOutEditText(centered, *movie.fonts)), (Origins{{2510, 940}, {3360, 940}}));

  // 1000 twips for the text: "A " fits, the second A goes to the next line, 1100 lower.
  EditText wrapped = field("A A");
  wrapped.bounds.xMax = 1080;
  wrapped.wordWrap = true;
  EXPECT_EQ(originsOf(layOutEditText(wrapped, *movie.fonts)), (Origins{{40, 940}, {40, 2040}}));
  wrapped.wordWrap = false;
  EXPECT_EQ(originsOf(layOutEditText(wrapped, *movie.fonts)), (Origins{{40, 940}, {890, 940}}));

  // By face, with the font's kerning: é comes 580 after A.
  EditText html = field("<font face=\"test sans\" size=\"51.2\" kerning=\"1\">A\xC3\xA9</font>");
  html.html = true;
  html.fontId = 99;  // no such font: the face finds it
  EXPECT_EQ(originsOf(layOutEditText(html, *movie.fonts)), (Origins{{40, 940}, {620, 940}}));
  html.initialText = "<font face=\"Missing\">A</font>";
  EXPECT_TRUE(layOutEditText(html, *movie.fonts).glyphs.empty());
}

}  // namespace
}  // namespace orvane
