#include "fonts/FontCodes.h"

#include <iconv.h>

#include <array>

namespace orvane {
namespace {

// Bytes 0x80..0x9F of the Western Windows code page; the five it leaves undefined keep
// their value, as Windows maps them.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t windows1252(std::uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

std::optional<char32_t> shiftJis(std::uint16_t code) {
  if (code < 0x80) return code;
  iconv_t converter = iconv_open("UTF-32LE", "CP932");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  char* inPointer = code > 0xFF ? in : in + 1;
  std::size_t inLeft = code > 0xFF ? 2 : 1;
  unsigned char out[4] = {};
  char* outPointer = reinterpret_cast<char*>(out);
  std::size_t outLeft = sizeof out;
  const std::size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1) || inLeft != 0 || outLeft != 0) return std::nullopt;
  return static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24));
}

bool isSurrogate(char32_t character) { return character >= 0xD800 && character <= 0xDFFF; }

}  // namespace

std::optional<char32_t> unicodeOfCode(FontCodeSet codeSet, std::uint16_t code) {
  switch (codeSet) {
    case FontCodeSet::Ansi:
      return code <= 0xFF ? windows1252(static_cast<std::uint8_t>(code)) : code;
    case FontCodeSet::ShiftJis:
      return shiftJis(code);
    case FontCodeSet::Unicode:
      break;
  }
  if (isSurrogate(code)) return std::nullopt;
  return code;
}

Utf8Character readUtf8(const std::string& text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t character = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2, character = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, character = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, character = lead & 0x07;
  else return {};
  if (at + length > text.size()) return {};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return {};
    character = (character << 6) | (byte(at + i) & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (character < kSmallest[length] || character > 0x10FFFF || isSurrogate(character)) return {};
  return {character, length};
}

void appendUtf8(std::string& out, char32_t character) {
  if (character > 0x10FFFF || isSurrogate(character)) character = 0xFFFD;
  if (character < 0x80) {
    out += static_cast<char>(character);
  } else if (character < 0x800) {
    out += static_cast<char>(0xC0 | (character >> 6));
    out += static_cast<char>(0x80 | (character & 0x3F));
  } else if (character < 0x10000) {
    out += static_cast<char>(0xE0 | (character >> 12));
    out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (character & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (character >> 18));
    out += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (character & 0x3F));
  }
}

std::string movieTextAsUtf8(const std::string& bytes, std::uint8_t movieVersion) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = movieVersion >= 6 ? readUtf8(bytes, at).length : 0;
    if (length > 0) {
      out.append(bytes, at, length);
      at += length;
    } else {
      appendUtf8(out, windows1252(static_cast<unsigned char>(bytes[at])));
      ++at;
    }
  }
  return out;
}

}  // namespace orvane
