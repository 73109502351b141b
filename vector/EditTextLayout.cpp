#include "vector/EditTextLayout.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "fonts/EditTextContent.h"
#include "fonts/FontCodes.h"
#include "fonts/FontLibrary.h"

namespace orvane {
namespace {

constexpr double kGutter = 40;  // twips on each side of the text

// The glyphs of a font by character, and its kerning by pair of codes.
class FontCharacters {
 public:
  explicit FontCharacters(const SwfFont& font) {
    if (!font.hasCodeTable) return;
    for (std::size_t i = 0; i < font.glyphs.size(); ++i)
      if (const std::optional<char32_t> character = unicodeOfCode(font.codeSet, font.glyphs[i].code))
        m_glyphs.emplace(*character, static_cast<std::uint32_t>(i));
    for (const KerningPair& pair : font.kerning)
      m_kerning.emplace((static_cast<std::uint32_t>(pair.leftCode) << 16) | pair.rightCode, pair.adjustment);
  }

  const std::uint32_t* glyphOf(char32_t character) const {
    const auto found = m_glyphs.find(character);
    return found == m_glyphs.end() ? nullptr : &found->second;
  }

  std::int32_t kerning(std::uint16_t left, std::uint16_t right) const {
    const auto found = m_kerning.find((static_cast<std::uint32_t>(left) << 16) | right);
    return found == m_kerning.end() ? 0 : found->second;
  }

 private:
  std::unordered_map<char32_t, std::uint32_t> m_glyphs;  // the first glyph of each character
  std::unordered_map<std::uint32_t, std::int16_t> m_kerning;
};

// The colour a field's text shows in: the player keeps each channel as a multiplier of 256ths
// (the channel's share of 255, cut down) and applies it to 255, cut down again, so that
// 0x99 shows as 152 while 0 and 255 stay.
std::uint8_t shownChannel(std::uint8_t channel) {
  const unsigned multiplier = channel * 256u / 255u;
  return static_cast<std::uint8_t>(255u * multiplier >> 8);
}

Rgba shownColor(Rgba color) {
  return Rgba{shownChannel(color.red), shownChannel(color.green), shownChannel(color.blue), color.alpha};
}

// One character on its way to a line.
struct LaidCharacter {
  const SwfFont* font = nullptr;
  const FontGlyph* glyph = nullptr;
  double scale = 0;  // font units to twips
  double advance = 0;
  Rgba color;
  bool blank = false;
};

struct LineMetrics {
  double ascent = 0;
  double descent = 0;
};

class EditTextLayouter {
 public:
  EditTextLayouter(const EditText& text, const FontLibrary& fonts) : m_text(text), m_fonts(fonts) {}

  TextPicture layOut() {
    TextPicture layout;
    layout.border = m_text.border;
    layout.bounds = m_text.bounds;
    layout.faults = m_text.faults;
    double top = m_text.bounds.yMin + kGutter;
    for (const TextParagraph& paragraph : editTextContent(m_text)) top = layOutParagraph(paragraph, top, layout.glyphs);
    return layout;
  }

 private:
  const SwfFont* fontOf(const CharacterFormat& format) const {
    const SwfFont* font = format.face.empty() ? nullptr : m_fonts.fontNamed(format.face, format.bold, format.italic);
    return font != nullptr && !font->glyphs.empty() ? font : m_fonts.font(format.fontId);
  }

  const FontCharacters& charactersOf(const SwfFont& font) {
    auto found = m_characters.find(&font);
    if (found == m_characters.end()) found = m_characters.emplace(&font, FontCharacters(font)).first;
    return found->second;
  }

  static LineMetrics metricsOf(const SwfFont* font, double size) {
    if (font == nullptr) return {};
    const double scale = size / font->emUnits;
    if (font->hasLayout) return {font->ascent * scale, font->descent * scale};
    return {size * 0.8, size * 0.2};  // a font without a layout: the usual proportions
  }

  std::vector<LaidCharacter> charactersOf(const TextParagraph& paragraph, LineMetrics& emptyLine) {
    std::vector<LaidCharacter> characters;
    const SwfFont* previousFont = nullptr;
    std::uint16_t previousCode = 0;
    for (const TextRun& run : paragraph.runs) {
      const SwfFont* font = fontOf(run.format);
      emptyLine = metricsOf(font, run.format.size);
      if (font == nullptr) continue;
      const FontCharacters& map = charactersOf(*font);
      const double scale = static_cast<double>(run.format.size) / font->emUnits;
      for (const char32_t character : run.text) {
        const std::uint32_t* index = map.glyphOf(character);
        if (index == nullptr) {
          previousFont = nullptr;
          continue;
        }
        const FontGlyph& glyph = font->glyphs[*index];
        LaidCharacter laid{font, &glyph, scale, 0, shownColor(run.format.color), character == ' ' || character == 0xA0};
        // The player keeps the pen in whole twips: each scaled advance loses its fraction.
        laid.advance =
            std::trunc((font->hasLayout ? glyph.advance : boxRight(glyph.outline)) * scale) + run.format.letterSpacing;
        if (run.format.kerning && previousFont == font && !characters.empty())
          characters.back().advance += map.kerning(previousCode, glyph.code) * scale;
        characters.push_back(laid);
        previousFont = font;
        previousCode = glyph.code;
      }
    }
    return characters;
  }

  static double boxRight(const GlyphOutline& outline) {
    std::int32_t right = 0;
    for (const GlyphContour& contour : outline.contours)
      for (const GlyphPoint& point : contour.points) right = std::max(right, point.x);
    return right;
  }

  // Lays out the lines of one paragraph from `top`; returns the top of the next one.
  double layOutParagraph(const TextParagraph& paragraph, double top, std::vector<PlacedGlyph>& out) {
    LineMetrics emptyLine;
    const std::vector<LaidCharacter> characters = charactersOf(paragraph, emptyLine);
    const ParagraphFormat& format = paragraph.format;
    const double fieldWidth = m_text.bounds.xMax - m_text.bounds.xMin - 2 * kGutter;
    const double left = m_text.bounds.xMin + kGutter + format.leftMargin + format.blockIndent;
    const double width = fieldWidth - format.leftMargin - format.rightMargin - format.blockIndent;
    if (characters.empty()) return top + emptyLine.ascent + emptyLine.descent + format.leading;

    std::size_t start = 0;
    bool firstLine = true;
    while (start < characters.size()) {
      const double indent = firstLine ? format.indent : 0;
      const std::size_t end = lineEnd(characters, start, width - indent);
      LineMetrics metrics;
      for (std::size_t i = start; i < end; ++i) {
        const LineMetrics m = metricsOf(characters[i].font, characters[i].scale * characters[i].font->emUnits);
        metrics.ascent = std::max(metrics.ascent, m.ascent);
        metrics.descent = std::max(metrics.descent, m.descent);
      }
      placeLine(characters, start, end, left + indent, width - indent, top + metrics.ascent, format.align,
                end == characters.size(), out);
      top += metrics.ascent + metrics.descent + format.leading;
      start = end;
      firstLine = false;
    }
    return top;
  }

  // Where the line from `start` ends: at the end of the paragraph, or, in a field that
  // wraps, after the last blank that lets the line fit (before the first character that
  // does not fit when no blank does).
  std::size_t lineEnd(const std::vector<LaidCharacter>& characters, std::size_t start, double width) const {
    if (!m_text.wordWrap) return characters.size();
    double x = 0;
    std::size_t afterBlank = 0;
    for (std::size_t i = start; i < characters.size(); ++i) {
      if (characters[i].blank) {
        afterBlank = i + 1;
      } else if (x + characters[i].advance > width && i > start) {
        return afterBlank > start ? afterBlank : i;
      }
      x += characters[i].advance;
    }
    return characters.size();
  }

  static void placeLine(const std::vector<LaidCharacter>& characters, std::size_t start, std::size_t end,
                        double left, double width, double baseline, TextAlign align, bool lastLine,
                        std::vector<PlacedGlyph>& out) {
    std::size_t shown = end;  // blanks at the end of a line take no room
    while (shown > start && characters[shown - 1].blank) --shown;
    double lineWidth = 0;
    std::size_t blanks = 0;
    for (std::size_t i = start; i < shown; ++i) {
      lineWidth += characters[i].advance;
      if (characters[i].blank) ++blanks;
    }
    double x = left;
    double blankStretch = 0;
    const double room = std::max(0.0, width - lineWidth);
    if (align == TextAlign::Right) x += room;
    if (align == TextAlign::Center) x += room / 2;
    if (align == TextAlign::Justify && !lastLine && blanks > 0) blankStretch = room / blanks;
    for (std::size_t i = start; i < shown; ++i) {
      const LaidCharacter& c = characters[i];
      if (!c.blank) out.push_back({&c.glyph->outline, {c.scale, 0, 0, c.scale, x, baseline}, c.color});
      x += c.advance + (c.blank ? blankStretch : 0);
    }
  }

  const EditText& m_text;
  const FontLibrary& m_fonts;
  std::unordered_map<const SwfFont*, FontCharacters> m_characters;
};

}  // namespace

TextPicture layOutEditText(const EditText& text, const FontLibrary& fonts) {
  return EditTextLayouter(text, fonts).layOut();
}

}  // namespace orvane
