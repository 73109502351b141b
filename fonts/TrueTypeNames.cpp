#include "fonts/TrueTypeNames.h"

#include <string_view>

#include "fonts/BigEndianWriter.h"
#include "fonts/FontCodes.h"

namespace orvane {
namespace {

constexpr std::size_t kLongestPostScriptName = 63;
// Seven names of this many UTF-16 units keep the table's 16-bit offsets in range.
constexpr std::size_t kLongestName = 4096;

// UTF-8 as UTF-16 code units; a malformed byte reads as U+FFFD.
std::u16string utf16Of(const std::string& text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size() && out.size() < kLongestName;) {
    Utf8Character next = readUtf8(text, i);
    if (next.length == 0) next = {0xFFFD, 1};
    if (next.character >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((next.character - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((next.character - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(next.character);
    }
    i += next.length;
  }
  return out;
}

// PostScript names are printable ASCII without blanks or the delimiters of the language.
std::string postScriptNameOf(const std::string& text) {
  constexpr std::string_view kDelimiters = "[](){}<>/%";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 32 && byte < 127 && kDelimiters.find(c) == std::string_view::npos) out += c;
  }
  if (out.size() > kLongestPostScriptName) out.resize(kLongestPostScriptName);
  return out;
}

}  // namespace

TrueTypeNames namesOfFont(const std::string& family, const std::string& copyright, bool bold, bool italic,
                          std::uint16_t id) {
  TrueTypeNames names;
  names.copyright = copyright;
  names.family = family.empty() ? "Font " + std::to_string(id) : family;
  names.subfamily = bold && italic ? "Bold Italic" : bold ? "Bold" : italic ? "Italic" : "Regular";
  names.fullName = names.subfamily == "Regular" ? names.family : names.family + " " + names.subfamily;
  std::string postScriptFamily = postScriptNameOf(names.family);
  if (postScriptFamily.empty()) postScriptFamily = "Font" + std::to_string(id);
  names.postScriptName = postScriptNameOf(postScriptFamily + "-" + names.subfamily);
  names.version = "Version 1.0";
  return names;
}

std::vector<std::uint8_t> nameTable(const TrueTypeNames& names) {
  // Name ids 0 to 6; the unique name (3) is the PostScript name.
  const std::string* byId[] = {&names.copyright, &names.family,  &names.subfamily,     &names.postScriptName,
                               &names.fullName,  &names.version, &names.postScriptName};
  std::vector<std::pair<std::uint16_t, std::u16string>> records;
  for (std::uint16_t id = 0; id < 7; ++id)
    if (!byId[id]->empty()) records.emplace_back(id, utf16Of(*byId[id]));

  BigEndianWriter out;
  out.u16(0);
  out.u16(static_cast<std::uint32_t>(records.size()));
  out.u16(static_cast<std::uint32_t>(6 + 12 * records.size()));
  std::uint32_t offset = 0;
  for (const auto& [id, text] : records) {
    out.u16(3);       // Windows
    out.u16(1);       // Unicode, basic plane
    out.u16(0x0409);  // US English
    out.u16(id);
    out.u16(static_cast<std::uint32_t>(2 * text.size()));
    out.u16(offset);
    offset += static_cast<std::uint32_t>(2 * text.size());
  }
  for (const auto& record : records)
    for (const char16_t unit : record.second) out.u16(unit);
  return out.take();
}

}  // namespace orvane
