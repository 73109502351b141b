#include "vector/TextLayout.h"

#include <gtest/gtest.h>

#include "fonts/FontLibrary.h"
#include "fonts/TextDecoder.h"
#include "movie/TagHeader.h"
#include "tests/support/BitPacker.h"
#include "tests/support/FontBuilder.h"
#include "tests/support/ScanFixture.h"
#include "vector/CharacterLibrary.h"
#include "vector/EditTextLayout.h"
#include "vector/FrameRenderer.h"
#include "vector/GlyphTextPainter.h"
#include "vector/TextAssets.h"
#include "vector/TextSvg.h"

namespace orvane {
namespace {

using test::Bytes;

// The test movie (the text 10 of the test font) scanned, with its fonts and texts.
struct TextMovie {
  explicit TextMovie(const Bytes& placement = {}) {
    EXPECT_EQ(fixture.scan(test::testSansMovie(placement)), ScanStatus::Success);
    fonts = std::make_unique<FontLibrary>(fixture.result, bytes());
    texts = std::make_unique<TextAssets>(bytes(), 8, *fonts);
  }
  std::span<const std::uint8_t> bytes() const { return fixture.walker.movie().bytes(); }
  const TextObject& text() const { return *fixture.timeline(0).texts.at(0); }
  test::ScanFixture fixture;
  std::unique_ptr<FontLibrary> fonts;
  std::unique_ptr<TextAssets> texts;
};

// The path elements of a document, one a line.
std::string pathsOf(const std::string& svg) {
  std::string paths;
  for (std::size_t at = svg.find("<path"); at != std::string::npos; at = svg.find("<path", at + 1))
    paths += svg.substr(at, svg.find('\n', at) + 1 - at);
  return paths;
}

TEST(TextLayout, StaticTextGlyphsTheirTransformsColoursAndSvg) {
  const TextMovie movie;
  const StaticText text = decodeStaticText(tag::kDefineText2, movie.text().bodyIn(movie.bytes()));
  const std::vector<PlacedGlyph> placed = placeStaticText(text, *movie.fonts);
  ASSERT_EQ(placed.size(), 3u);  // A, the blank and é; index 3 is left out
  EXPECT_EQ(placed[0].transform.a, 0.5);  // 512 twips of a 1024-unit em
  EXPECT_EQ(placed[0].transform.tx, 100);
  EXPECT_EQ(placed[0].transform.ty, 200);
  EXPECT_EQ(placed[1].transform.tx, 700);  // after the A's 600
  EXPECT_EQ(placed[2].transform.tx, 150);  // x offset 50 and the matrix's 100
  EXPECT_EQ(placed[2].transform.ty, 600);
  EXPECT_EQ(placed[2].color, (Rgba{255, 0, 0, 128}));

  // Font units to pixels: 0.5 / 20; the origins 100, 200 and 150, 600 twips.
  const std::string paths =
      "<path fill=\"#ff0000\" fill-opacity=\"0.5019607843137255\" fill-rule=\"evenodd\" "
      "transform=\"matrix(0.025 0 0 0.025 5 10)\" d=\"M0 0L250 -700Q500 -350 500 0Z\"/>\n"
      "<path fill=\"#ff0000\" fill-opacity=\"0.5019607843137255\" fill-rule=\"evenodd\" "
      "transform=\"matrix(0.025 0 0 0.025 7.5 30)\" d=\"M0 0L0 -400L400 -400L400 0Z\"/>\n";
  const std::string svg = movie.texts->svg(movie.text());
  EXPECT_EQ(svg.substr(0, svg.find('\n')),
            "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" "
            "width=\"100\" height=\"50\" viewBox=\"0 -40 100 50\">");
  EXPECT_EQ(pathsOf(svg), paths);
  EXPECT_EQ(movie.texts->characters(movie.text()), "A \n\xC3\xA9\xEF\xBF\xBD");
  EXPECT_TRUE(movie.texts->properties(movie.text()).empty());

  std::string clip;
  appendTextClip(clip, movie.texts->picture(movie.text()), Transform{});
  EXPECT_EQ(clip,
            "<path fill-rule=\"evenodd\" transform=\"matrix(0.025 0 0 0.025 5 10)\" d=\"M0 0L250 -700Q500 -350 500 0Z\"/>\n"
            "<path fill-rule=\"evenodd\" transform=\"matrix(0.025 0 0 0.025 7.5 30)\" d=\"M0 0L0 -400L400 -400L400 0Z\"/>\n");
}

TEST(TextLayout, FramesDrawTextsUnderTheirPlacementAndColourTransform) {
  // PlaceObject2 at depth 1 of text 10: scaled by 2 and moved by 20, 40 twips; red times
  // 0, alpha times a half.
  Bytes placement{0x0E, 1, 0, 10, 0};
  const Bytes matrix = test::matrixBytes(2 * 65536, 2 * 65536, 0, 0, 20, 40);
  placement.insert(placement.end(), matrix.begin(), matrix.end());
  test::BitPacker colors;
  colors.put(0, 1);   // no add terms
  colors.put(1, 1);   // multiply terms
  colors.put(10, 4);  // of 10 bits each
  for (std::uint32_t term : {0, 256, 256, 128}) colors.put(term, 10);
  const Bytes transform = colors.finish();
  placement.insert(placement.end(), transform.begin(), transform.end());
  const TextMovie movie(placement);

  CharacterLibrary library(movie.fixture.result, movie.bytes());
  GlyphTextPainter painter(*movie.texts);
  FrameRenderer renderer(library, nullptr, &painter);
  const std::string svg = renderer.frameSvg(*movie.fixture.result.firstTimeline(), 0, {});
  EXPECT_EQ(renderer.notes(), std::vector<std::string>{});
  // The A at 2 * 100 + 20, 2 * 200 + 40 twips, the é at 2 * 150 + 20, 2 * 600 + 40; its
  // alpha 128 halved.
  EXPECT_EQ(pathsOf(svg),
            "<path fill=\"#000000\" fill-opacity=\"0.25098039215686274\" fill-rule=\"evenodd\" "
            "transform=\"matrix(0.05 0 0 0.05 11 22)\" d=\"M0 0L250 -700Q500 -350 500 0Z\"/>\n"
            "<path fill=\"#000000\" fill-opacity=\"0.25098039215686274\" fill-rule=\"evenodd\" "
            "transform=\"matrix(0.05 0 0 0.05 16 62)\" d=\"M0 0L0 -400L400 -400L400 0Z\"/>\n");
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

std::vector<std::pair<double, double>> originsOf(const TextPicture& layout) {
  std::vector<std::pair<double, double>> origins;
  for (const PlacedGlyph& glyph : layout.glyphs) origins.emplace_back(glyph.transform.tx, glyph.transform.ty);
  return origins;
}

TEST(EditTextLayout, AlignsWrapsKernsAndFindsFontsByName) {
  const TextMovie movie;
  using Origins = std::vector<std::pair<double, double>>;
  EXPECT_EQ(originsOf(layOutEditText(field("A A"), *movie.fonts)), (Origins{{40, 940}, {890, 940}}));

  // At 500 twips the advances 292.97 and 122.07 lose their fractions.
  EditText smaller = field("A A");
  smaller.fontHeight = 500;
  const double baseline = 40 + 900 * 500 / 1024.0;
  EXPECT_EQ(originsOf(layOutEditText(smaller, *movie.fonts)), (Origins{{40, baseline}, {454, baseline}}));

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

  // A border over white: the one-pixel line on the pixels right of and below each edge of
  // the 200 by 100 pixel bounds, so the document is a pixel wider and higher.
  EditText bordered = field("");
  bordered.border = true;
  const std::string svg = textSvg(layOutEditText(bordered, *movie.fonts));
  EXPECT_NE(svg.find("viewBox=\"0 0 201 101\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("<rect x=\"0.5\" y=\"0.5\" width=\"200\" height=\"100\" fill=\"#ffffff\" stroke=\"#000000\" "
                     "stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"/>\n"),
            std::string::npos)
      << svg;
}

TEST(EditTextLayout, TextColoursAsThePlayerShowsThem) {
  // Each channel c shows as 255 * floor(256 c / 255) / 256, cut down: 0x99 (153) is 153.6
  // 256ths and shows as 152, 0xcc (204) as 203, while 0, 255 and the alpha keep their value;
  // 0x80 (128) is 128.5 256ths, 127.5 shown.
  const TextMovie movie;
  EditText html = field("<font color=\"#ff99cc\">A</font><font color=\"#00ff80\">A</font>");
  html.html = true;
  html.hasTextColor = true;
  html.textColor = {0, 0, 0, 200};
  const TextPicture picture = layOutEditText(html, *movie.fonts);
  ASSERT_EQ(picture.glyphs.size(), 2u);
  EXPECT_EQ(picture.glyphs[0].color, (Rgba{255, 152, 203, 200}));
  EXPECT_EQ(picture.glyphs[1].color, (Rgba{0, 255, 127, 200}));
}

TEST(TextAssets, EditTextPropertyRows) {
  test::EditTextSpec fields;
  fields.flags = 0xFFFF;  // every flag, every field
  fields.fontId = 3;
  fields.fontClass = "Fonts.Body";
  fields.fontHeight = 240;
  fields.color = {1, 2, 3, 4};
  fields.maxLength = 20;
  fields.align = 2;
  fields.leftMargin = 40;
  fields.rightMargin = 60;
  fields.indent = 20;
  fields.leading = -10;
  fields.variableName = "_root.v";
  fields.initialText = "<b>H\xC3\xA9</b>";
  using Rows = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(editTextProperties(decodeEditText(test::defineEditTextBody(fields), 8)),
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
  fields.flags = 0;
  EXPECT_EQ(editTextProperties(decodeEditText(test::defineEditTextBody(fields), 8)),
            (Rows{{"Bounds", "X 0, Y 0, Width 100, Height 20"},
                  {"Font", "none"},
                  {"Height", "none"},
                  {"Colour", "none"},
                  {"Max Length", "none"},
                  {"Align", "Left"},
                  {"Margins", "left 0 px, right 0 px"},
                  {"Indent", "0 px"},
                  {"Leading", "0 px"},
                  {"Variable", "_root.v"},
                  {"Flags", "none"}}));
}

}  // namespace
}  // namespace orvane
