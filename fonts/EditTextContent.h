// An edit text's contents as styled paragraphs: its plain text in the field's own format,
// or its HTML (the tags and entities a movie's text fields read) with the formats the tags
// set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/SwfText.h"

namespace orvane {

struct CharacterFormat {
  /// The font: a face name from HTML, else the field's font.
  std::string face;
  std::uint16_t fontId = 0;
  std::int32_t size = 240;  // twips
  Rgba color{0, 0, 0, 255};
  bool bold = false;
  bool italic = false;
  bool underline = false;
  double letterSpacing = 0;  // twips
  bool kerning = false;
};

struct TextRun {
  std::u32string text;
  CharacterFormat format;
};

struct ParagraphFormat {
  TextAlign align = TextAlign::Left;
  std::int32_t leftMargin = 0;  // twips
  std::int32_t rightMargin = 0;
  std::int32_t indent = 0;
  std::int32_t blockIndent = 0;
  std::int32_t leading = 0;
  bool bullet = false;
};

struct TextParagraph {
  ParagraphFormat format;
  std::vector<TextRun> runs;
};

/// The paragraphs the field shows at first: its initial text split at line breaks (CR, LF
/// or both), or its HTML; a password field shows an asterisk for each character.
std::vector<TextParagraph> editTextContent(const EditText& text);

}  // namespace orvane
