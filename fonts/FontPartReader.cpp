// DefineFontInfo, DefineFontInfo2, DefineFontAlignZones and DefineFontName, applied to the
// font they describe.
#include <string>

#include "fonts/FontCodes.h"
#include "fonts/FontDecoder.h"
#include "movie/AssetObjects.h"
#include "movie/BitReader.h"
#include "movie/TagHeader.h"

namespace orvane {
namespace {

// DefineFontInfo flags, most significant bit first after two reserved bits.
constexpr std::uint8_t kSmallText = 0x20;
constexpr std::uint8_t kShiftJis = 0x10;
constexpr std::uint8_t kAnsi = 0x08;
constexpr std::uint8_t kItalic = 0x04;
constexpr std::uint8_t kBold = 0x02;
constexpr std::uint8_t kWideCodes = 0x01;

void applyFontInfo(SwfFont& font, BitReader& reader, bool second, std::uint8_t movieVersion) {
  const std::uint32_t nameLength = reader.readU8();
  const std::span<const std::uint8_t> name = reader.bytesAt(reader.position(), nameLength);
  reader.skip(nameLength);
  const std::uint8_t flags = reader.readU8();
  const std::uint8_t language = second ? reader.readU8() : 0;
  if (reader.exhausted()) {
    font.faults.push_back("the font information ends inside its header");
    return;
  }
  std::string text(name.begin(), name.end());
  while (!text.empty() && text.back() == '\0') text.pop_back();
  font.name = movieTextAsUtf8(text, movieVersion);
  font.bold = (flags & kBold) != 0;
  font.italic = (flags & kItalic) != 0;
  font.smallText = (flags & kSmallText) != 0;
  font.languageCode = language;
  font.wideCodes = second || (flags & kWideCodes) != 0;
  font.codeSet = codeSetOf((flags & kShiftJis) != 0, (flags & kAnsi) != 0, font.wideCodes, movieVersion);
  font.hasCodeTable = true;
  const std::uint32_t codeSize = font.wideCodes ? 2 : 1;
  std::size_t count = font.glyphs.size();
  if (count > reader.remaining() / codeSize) {
    count = reader.remaining() / codeSize;
    font.faults.push_back("the font information holds " + std::to_string(count) + " codes for " +
                          std::to_string(font.glyphs.size()) + " glyphs");
  }
  for (std::size_t i = 0; i < count; ++i) font.glyphs[i].code = font.wideCodes ? reader.readU16() : reader.readU8();
}

void applyAlignZones(SwfFont& font, BitReader& reader) {
  font.alignZoneHint = static_cast<std::uint8_t>(reader.readU8() >> 6);
  font.alignZones.clear();
  while (reader.remaining() > 0 && font.alignZones.size() < font.glyphs.size()) {
    GlyphAlignZone& zone = font.alignZones.emplace_back();
    const std::uint32_t count = reader.readU8();
    if (count > reader.remaining() / 4) {
      font.faults.push_back("the align zone of glyph " + std::to_string(font.alignZones.size() - 1) +
                            " passes the end of its tag");
      font.alignZones.pop_back();
      return;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint16_t coordinate = reader.readU16();
      zone.zoneData.emplace_back(coordinate, reader.readU16());
    }
    const std::uint8_t masks = reader.readU8();
    zone.maskX = (masks & 0x01) != 0;
    zone.maskY = (masks & 0x02) != 0;
  }
  if (reader.exhausted()) font.faults.push_back("the align zones end inside a zone record");
}

void applyFontName(SwfFont& font, BitReader& reader, std::uint8_t movieVersion) {
  const std::string name = reader.readString();
  const std::string copyright = reader.readString();
  if (reader.exhausted()) font.faults.push_back("the font name tag ends inside its texts");
  font.fullName = movieTextAsUtf8(name, movieVersion);
  font.copyright = movieTextAsUtf8(copyright, movieVersion);
}

}  // namespace

void applyFontPart(SwfFont& font, std::uint16_t code, std::span<const std::uint8_t> body, std::uint8_t movieVersion) {
  BitReader reader(body);
  reader.readU16();  // the font id, which the scan matched
  switch (code) {
    case tag::kDefineFontInfo:
    case tag::kDefineFontInfo2:
      applyFontInfo(font, reader, code == tag::kDefineFontInfo2, movieVersion);
      break;
    case tag::kDefineFontAlignZones:
      applyAlignZones(font, reader);
      break;
    case tag::kDefineFontName:
      applyFontName(font, reader, movieVersion);
      break;
    default:
      break;
  }
}

SwfFont fontOf(const FontObject& object, std::span<const std::uint8_t> movie, std::uint8_t movieVersion) {
  SwfFont font = decodeFontDefinition(object.code, object.bodyIn(movie), movieVersion);
  for (const FontPart& part : object.parts) {
    const TagBody& body = part.body;
    const std::span<const std::uint8_t> bytes =
        body.offset < movie.size() ? movie.subspan(body.offset, std::min<std::size_t>(body.length, movie.size() - body.offset))
                                   : std::span<const std::uint8_t>{};
    applyFontPart(font, part.code, bytes, movieVersion);
  }
  return font;
}

}  // namespace orvane
