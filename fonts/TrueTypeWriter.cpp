#include "fonts/TrueTypeWriter.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "fonts/FontCodes.h"
#include "fonts/FontUnitScale.h"
#include "fonts/SfntFile.h"
#include "fonts/TrueTypeCharacterMaps.h"
#include "fonts/TrueTypeGlyphs.h"
#include "fonts/TrueTypeNames.h"
#include "fonts/TrueTypeTables.h"

namespace orvane {
namespace {

// TrueType counts a glyph's points and contours in 16 bits, and its glyphs too (the missing
// glyph comes first).
constexpr std::size_t kMostPoints = 0xFFFF;
constexpr std::size_t kMostContours = 0x7FFF;
constexpr std::size_t kMostGlyphs = 0xFFFF - 1;

FontUnitSurvey surveyOf(const SwfFont& font) {
  FontUnitSurvey survey;
  for (const FontGlyph& glyph : font.glyphs) {
    for (const GlyphContour& contour : glyph.outline.contours) {
      for (const GlyphPoint& point : contour.points) {
        survey.add(point.x);
        survey.add(point.y);
      }
    }
    if (font.hasLayout) survey.add(glyph.advance);
  }
  if (font.hasLayout) {
    survey.add(font.ascent);
    survey.add(font.descent);
    survey.add(font.leading);
  }
  for (const KerningPair& pair : font.kerning) survey.add(pair.adjustment);
  return survey;
}

// The outline in TrueType units and orientation, without the contours that would pass
// TrueType's counts.
GlyphOutline trueTypeOutline(const GlyphOutline& outline, const FontUnitScale& scale) {
  GlyphOutline result;
  std::size_t points = 0;
  for (const GlyphContour& contour : outline.contours) {
    if (result.contours.size() == kMostContours || points + contour.points.size() > kMostPoints) break;
    points += contour.points.size();
    GlyphContour& converted = result.contours.emplace_back();
    converted.points.reserve(contour.points.size());
    for (const GlyphPoint& point : contour.points)
      converted.points.push_back({scale.apply(point.x), scale.apply(-static_cast<std::int64_t>(point.y)), point.onCurve});
  }
  return result;
}

std::uint16_t advanceOf(const SwfFont& font, const FontGlyph& glyph, const GlyphOutline& converted,
                        const FontUnitScale& scale) {
  std::int32_t advance = 0;
  if (font.hasLayout) {
    advance = scale.apply(glyph.advance);
  } else {
    for (const GlyphContour& contour : converted.contours)
      for (const GlyphPoint& point : contour.points) advance = std::max(advance, point.x);
  }
  return static_cast<std::uint16_t>(std::max(advance, 0));
}

std::vector<TrueTypeGlyph> trueTypeGlyphs(const SwfFont& font, std::size_t count, const FontUnitScale& scale) {
  std::vector<TrueTypeGlyph> glyphs(1);  // the missing glyph: no outline, no advance
  glyphs.reserve(count + 1);
  for (std::size_t i = 0; i < count; ++i) {
    TrueTypeGlyph& converted = glyphs.emplace_back();
    converted.outline = trueTypeOutline(font.glyphs[i].outline, scale);
    converted.advance = advanceOf(font, font.glyphs[i], converted.outline, scale);
  }
  return glyphs;
}

struct CodeMaps {
  std::vector<CharacterGlyph> characters;
  std::unordered_map<std::uint16_t, std::uint16_t> glyphOfCode;  // the first glyph of each code
};

CodeMaps codeMapsOf(const SwfFont& font, std::size_t count) {
  CodeMaps maps;
  if (!font.hasCodeTable) return maps;
  for (std::size_t i = 0; i < count; ++i) {
    const auto glyph = static_cast<std::uint16_t>(i + 1);
    const std::uint16_t code = font.glyphs[i].code;
    maps.glyphOfCode.emplace(code, glyph);
    if (const std::optional<char32_t> character = unicodeOfCode(font.codeSet, code))
      maps.characters.push_back({*character, glyph});
  }
  return maps;
}

std::vector<GlyphKerning> kerningOf(const SwfFont& font, const CodeMaps& maps, const FontUnitScale& scale) {
  std::vector<GlyphKerning> pairs;
  for (const KerningPair& pair : font.kerning) {
    const auto left = maps.glyphOfCode.find(pair.leftCode);
    const auto right = maps.glyphOfCode.find(pair.rightCode);
    if (left != maps.glyphOfCode.end() && right != maps.glyphOfCode.end())
      pairs.push_back({left->second, right->second, scale.apply(pair.adjustment)});
  }
  return pairs;
}

std::int16_t heightOfCharacter(const CodeMaps& maps, const TrueTypeGlyphTables& tables, char32_t character) {
  for (const CharacterGlyph& entry : maps.characters)
    if (entry.character == character) return tables.boxes()[entry.glyph].yMax;
  return 0;
}

TrueTypeFontFacts factsOf(const SwfFont& font, const FontUnitScale& scale, const CodeMaps& maps,
                          const TrueTypeGlyphTables& tables, std::size_t glyphCount, bool hasKerning) {
  TrueTypeFontFacts facts;
  facts.unitsPerEm = scale.unitsPerEm();
  facts.bold = font.bold;
  facts.italic = font.italic;
  if (font.hasLayout) {
    facts.ascent = scale.apply(font.ascent);
    facts.descent = scale.apply(font.descent);
    facts.lineGap = scale.apply(font.leading);
  } else {
    facts.ascent = std::max<std::int16_t>(0, tables.fontBox().yMax);
    facts.descent = static_cast<std::int16_t>(std::max(0, -tables.fontBox().yMin));
  }
  facts.glyphCount = static_cast<std::uint16_t>(glyphCount);
  if (!maps.characters.empty()) {
    const auto [lowest, highest] = std::minmax_element(
        maps.characters.begin(), maps.characters.end(),
        [](const CharacterGlyph& a, const CharacterGlyph& b) { return a.character < b.character; });
    facts.firstCharacter = static_cast<std::uint16_t>(std::min<char32_t>(lowest->character, 0xFFFF));
    facts.lastCharacter = static_cast<std::uint16_t>(std::min<char32_t>(highest->character, 0xFFFF));
  }
  facts.xHeight = heightOfCharacter(maps, tables, U'x');
  facts.capHeight = heightOfCharacter(maps, tables, U'H');
  facts.hasKerning = hasKerning;
  return facts;
}

}  // namespace

std::vector<std::uint8_t> writeTrueType(const SwfFont& font) {
  const FontUnitScale scale = FontUnitScale::choose(font.emUnits, surveyOf(font));
  const std::size_t count = std::min(font.glyphs.size(), kMostGlyphs);
  const TrueTypeGlyphTables tables(trueTypeGlyphs(font, count, scale));
  const CodeMaps maps = codeMapsOf(font, count);
  const std::vector<GlyphKerning> kerning = kerningOf(font, maps, scale);
  const TrueTypeFontFacts facts = factsOf(font, scale, maps, tables, count + 1, !kerning.empty());

  SfntFile file;
  file.addTable("head", headTable(facts, tables));
  file.addTable("hhea", hheaTable(facts, tables));
  file.addTable("maxp", maxpTable(facts, tables));
  file.addTable("OS/2", os2Table(facts, tables));
  file.addTable("hmtx", tables.hmtx());
  file.addTable("cmap", cmapTable(maps.characters));
  file.addTable("loca", tables.loca());
  file.addTable("glyf", tables.glyf());
  if (!kerning.empty()) file.addTable("kern", kernTable(kerning));
  const std::string& family = font.name.empty() ? font.fullName : font.name;
  file.addTable("name", nameTable(namesOfFont(family, font.copyright, font.bold, font.italic, font.id)));
  file.addTable("post", postTable(facts));
  return file.build();
}

FontFile fontFileOf(const SwfFont& font) {
  if (font.isDefineFont4()) return {".otf", font.openTypeData};
  return {".ttf", writeTrueType(font)};
}

}  // namespace orvane
