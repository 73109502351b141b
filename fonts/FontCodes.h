// The characters behind a font's codes: Unicode, the Western Windows code page or Shift-JIS.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "fonts/SwfFont.h"

namespace orvane {

/// The Unicode character of `code` in the given code set; none for a surrogate half or a
/// code the code set does not define.
std::optional<char32_t> unicodeOfCode(FontCodeSet codeSet, std::uint16_t code);

/// One character of UTF-8 text; `length` 0 when the bytes there are no valid UTF-8.
struct Utf8Character {
  char32_t character = 0;
  std::size_t length = 0;
};
/// The character that starts at `text[at]` (`at` inside the text).
Utf8Character readUtf8(const std::string& text, std::size_t at);

/// Appends `character` to `out` as UTF-8.
void appendUtf8(std::string& out, char32_t character);

/// Movie text (a name or an edit text's contents) as UTF-8: version 6 and later movies hold
/// UTF-8 (kept where valid), older ones the Western Windows code page.
std::string movieTextAsUtf8(const std::string& bytes, std::uint8_t movieVersion);

}  // namespace orvane
