// Builds the font and text tag bodies of test movies: DefineFont/2/3/4, DefineFontInfo/2,
// DefineFontName, DefineFontAlignZones, DefineText/2 and DefineEditText.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/MovieBuilder.h"
#include "tests/support/ShapeBuilder.h"

namespace orvane::test {

struct KerningSpec {
  std::uint16_t left = 0;
  std::uint16_t right = 0;
  std::int16_t adjustment = 0;
};

/// A DefineFont2 or DefineFont3 body. `flags` are the tag's flags but for the layout and
/// wide offsets, which follow the fields below.
struct FontSpec {
  std::uint16_t id = 1;
  std::uint8_t flags = 0x04;  // wide codes
  std::uint8_t language = 0;
  std::string name;  // written with its terminating zero, counted in its length
  bool wideOffsets = false;
  std::vector<Bytes> shapes;  // SHAPE each
  std::vector<std::uint16_t> codes;
  bool layout = false;
  std::uint16_t ascent = 0;
  std::uint16_t descent = 0;
  std::int16_t leading = 0;
  std::vector<std::int16_t> advances;
  std::vector<Bytes> bounds;  // RECT each
  std::vector<KerningSpec> kerning;
};

Bytes defineFont2Body(const FontSpec& fields);
/// DefineFont: the id, the offset table and the shapes.
Bytes defineFontBody(std::uint16_t id, const std::vector<Bytes>& shapes);
/// DefineFontInfo (DefineFontInfo2 when `second`, with its language) with codes of one
/// byte or, when the flags have the wide-codes bit 0x01, of two.
Bytes defineFontInfoBody(std::uint16_t id, const std::string& name, std::uint8_t flags,
                         const std::vector<std::uint16_t>& codes, bool second = false, std::uint8_t language = 0);
Bytes defineFontNameBody(std::uint16_t id, const std::string& name, const std::string& copyright);

/// A glyph's SHAPE: the records of `build` with one fill index bit, for the fill style 1
/// that its style changes name.
Bytes glyphShape(const ShapeBuilder& build);

struct TextRecordSpec {
  int fontId = -1;  // with a height when not negative
  std::uint16_t height = 0;
  bool hasColor = false;
  Color color;
  int xOffset = -0x10000;  // written when in 16 bits
  int yOffset = -0x10000;
  std::vector<std::pair<std::uint32_t, std::int32_t>> glyphs;  // index, advance
};

/// DefineText (RGB colours) or DefineText2 (`alpha`) with the given field widths.
Bytes defineTextBody(std::uint16_t id, const Bytes& bounds, const Bytes& matrix, std::uint8_t glyphBits,
                     std::uint8_t advanceBits, const std::vector<TextRecordSpec>& records, bool alpha);

struct EditTextSpec {
  std::uint16_t id = 1;
  Bytes bounds = rectBytes(0, 2000, 0, 400);
  std::uint16_t flags = 0;  // both flag bytes, the first one high; fields follow from them
  std::uint16_t fontId = 0;
  std::string fontClass;
  std::uint16_t fontHeight = 0;
  Color color;
  std::uint16_t maxLength = 0;
  std::uint8_t align = 0;
  std::uint16_t leftMargin = 0;
  std::uint16_t rightMargin = 0;
  std::uint16_t indent = 0;
  std::int16_t leading = 0;
  std::string variableName;
  std::string initialText;
};

Bytes defineEditTextBody(const EditTextSpec& fields);

/// The font of the text tests: id 3, "Test Sans", "A" (advance 600), a blank " " (250) and
/// "é" (500), 1024 units to the em, ascent 900, descent 200; the pair A-é kerned by -20.
FontSpec testSansFont();
/// Three records in that font: "A " half the em high, red at half opacity, at 0, 0; "é" on
/// the next line at 50, 400; the glyph index 3, which the font lacks, advancing -100.
std::vector<TextRecordSpec> testSansRecords();
/// A version 8 movie with the test font and the DefineText2 10 of those records over (0,
/// 2000, -800, 200), translated by (100, 200), then the PlaceObject2 of `placement` when
/// given, and a frame.
Bytes testSansMovie(const Bytes& placement = {});

}  // namespace orvane::test
