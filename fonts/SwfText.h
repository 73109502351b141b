// The texts a movie defines: static texts (DefineText, DefineText2) and edit texts
// (DefineEditText), as their tags hold them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "movie/SwfRecords.h"

namespace orvane {

struct TextGlyph {
  std::uint32_t index = 0;
  std::int32_t advance = 0;
};

/// A TEXTRECORD: the style it changes, then its glyphs.
struct TextRecord {
  bool hasFont = false;
  std::uint16_t fontId = 0;
  std::uint16_t height = 0;  // twips
  bool hasColor = false;
  Rgba color;
  bool hasXOffset = false;
  std::int16_t xOffset = 0;
  bool hasYOffset = false;
  std::int16_t yOffset = 0;
  std::vector<TextGlyph> glyphs;
};

struct StaticText {
  std::uint16_t tagCode = 0;
  std::uint16_t id = 0;
  SwfRect bounds;
  SwfMatrix matrix;
  std::uint8_t glyphBits = 0;
  std::uint8_t advanceBits = 0;
  std::vector<TextRecord> records;
  std::vector<std::string> faults;
};

enum class TextAlign : std::uint8_t { Left = 0, Right = 1, Center = 2, Justify = 3 };

struct EditText {
  std::uint16_t id = 0;
  SwfRect bounds;
  bool hasText = false;
  bool wordWrap = false;
  bool multiline = false;
  bool password = false;
  bool readOnly = false;
  bool hasTextColor = false;
  bool hasMaxLength = false;
  bool hasFont = false;
  bool hasFontClass = false;
  bool autoSize = false;
  bool hasLayout = false;
  bool noSelect = false;
  bool border = false;
  bool wasStatic = false;
  bool html = false;
  bool useOutlines = false;
  std::uint16_t fontId = 0;
  std::string fontClass;
  std::uint16_t fontHeight = 0;  // twips
  Rgba textColor;
  std::uint16_t maxLength = 0;
  /// The layout's alignment as the tag holds it (0 left, 1 right, 2 center, 3 justify).
  std::uint8_t align = 0;
  std::uint16_t leftMargin = 0;
  std::uint16_t rightMargin = 0;
  std::uint16_t indent = 0;
  std::int16_t leading = 0;
  std::string variableName;  // UTF-8
  std::string initialText;   // UTF-8: plain text, or HTML when `html` is set
  std::vector<std::string> faults;
};

}  // namespace orvane
