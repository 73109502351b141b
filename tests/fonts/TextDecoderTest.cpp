#include "fonts/TextDecoder.h"

#include <gtest/gtest.h>

#include "fonts/EditTextContent.h"
#include "fonts/FontLibrary.h"
#include "fonts/GlyphCodes.h"
#include "fonts/StaticTextGlyphs.h"
#include "movie/TagHeader.h"
#include "tests/support/FontBuilder.h"
#include "tests/support/ScanFixture.h"

namespace orvane {
namespace {

using test::Bytes;

// The test movie's text, its body as the scan found it, and its fonts.
struct TextMovie {
  TextMovie() {
    EXPECT_EQ(fixture.scan(test::testSansMovie()), ScanStatus::Success);
    fonts = std::make_unique<FontLibrary>(fixture.result, fixture.walker.movie().bytes());
  }
  std::span<const std::uint8_t> textBody() const {
    return fixture.timeline(0).texts.at(0)->bodyIn(fixture.walker.movie().bytes());
  }
  test::ScanFixture fixture;
  std::unique_ptr<FontLibrary> fonts;
};

TEST(TextDecoder, DefineText2RecordsAndCharacters) {
  const TextMovie movie;
  const StaticText text = decodeStaticText(tag::kDefineText2, movie.textBody());
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
}

TEST(TextDecoder, ShortStaticTextsSayWhatIsMissing) {
  const Bytes whole = test::defineTextBody(10, test::rectBytes(0, 2000, -800, 200), test::identityMatrix(), 2, 11,
                                           test::testSansRecords(), false);
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
  test::EditTextSpec fields;
  fields.id = 12;
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
  const Bytes body = test::defineEditTextBody(fields);
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

  // A version 5 movie's text is the Western Windows code page: 0xE9 is é.
  fields.flags = 0x8000;
  fields.initialText = "caf\xE9";
  EXPECT_EQ(decodeEditText(test::defineEditTextBody(fields), 5).initialText, "caf\xC3\xA9");

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

}  // namespace
}  // namespace orvane
