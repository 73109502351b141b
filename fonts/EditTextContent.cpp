#include "fonts/EditTextContent.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <utility>

#include "fonts/FontCodes.h"

namespace orvane {
namespace {

constexpr std::int32_t kTwipsPerPixel = 20;
// Formats nested deeper than this are not kept (their text takes the format around them), so
// that closing a tag, which looks down the stack, stays cheap.
constexpr std::size_t kDeepestNesting = 256;

std::u32string charactersOf(const std::string& utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const Utf8Character next = readUtf8(utf8, i);
    out += next.length == 0 ? U'\uFFFD' : next.character;
    i += next.length == 0 ? 1 : next.length;
  }
  return out;
}

std::string lowerAscii(std::u32string_view text) {
  std::string out;
  for (const char32_t c : text) out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c < 128 ? static_cast<char>(c) : '?';
  return out;
}

CharacterFormat fieldFormat(const EditText& text) {
  CharacterFormat format;
  format.fontId = text.fontId;
  format.size = text.fontHeight;
  if (text.hasTextColor) format.color = text.textColor;
  return format;
}

ParagraphFormat fieldParagraph(const EditText& text) {
  ParagraphFormat format;
  if (!text.hasLayout) return format;
  format.align = text.align <= 3 ? static_cast<TextAlign>(text.align) : TextAlign::Left;
  format.leftMargin = text.leftMargin;
  format.rightMargin = text.rightMargin;
  format.indent = text.indent;
  format.leading = text.leading;
  return format;
}

/// Appends characters to the last paragraph, joining them to its last run when the
/// format is the same.
void appendText(TextParagraph& paragraph, std::u32string_view text, const CharacterFormat& format) {
  if (text.empty()) return;
  if (!paragraph.runs.empty()) {
    TextRun& last = paragraph.runs.back();
    const CharacterFormat& f = last.format;
    if (f.face == format.face && f.fontId == format.fontId && f.size == format.size && f.color == format.color &&
        f.bold == format.bold && f.italic == format.italic && f.underline == format.underline &&
        f.letterSpacing == format.letterSpacing && f.kerning == format.kerning) {
      last.text += text;
      return;
    }
  }
  paragraph.runs.push_back({std::u32string(text), format});
}

std::vector<TextParagraph> plainContent(const EditText& text) {
  const ParagraphFormat paragraphFormat = fieldParagraph(text);
  std::vector<TextParagraph> paragraphs(1);
  paragraphs.back().format = paragraphFormat;
  const CharacterFormat format = fieldFormat(text);
  const std::u32string characters = charactersOf(text.initialText);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= characters.size(); ++i) {
    if (i < characters.size() && characters[i] != '\r' && characters[i] != '\n') continue;
    appendText(paragraphs.back(), std::u32string_view(characters).substr(start, i - start), format);
    if (i == characters.size()) break;
    if (characters[i] == '\r' && i + 1 < characters.size() && characters[i + 1] == '\n') ++i;
    paragraphs.emplace_back().format = paragraphFormat;
    start = i + 1;
  }
  return paragraphs;
}

// The tags and entities of a text field's HTML.
class HtmlReader {
 public:
  explicit HtmlReader(const EditText& text) : m_text(charactersOf(text.initialText)) {
    m_formats.push_back({"", fieldFormat(text)});
    m_paragraphFormats.push_back({"", fieldParagraph(text)});
    m_paragraphs.emplace_back().format = m_paragraphFormats.back().second;
  }

  std::vector<TextParagraph> read() {
    std::u32string pending;
    for (std::size_t i = 0; i < m_text.size();) {
      const char32_t c = m_text[i];
      if (c == '<') {
        const std::size_t close = m_text.find('>', i);
        if (close == std::u32string::npos) {
          pending += m_text.substr(i);
          break;
        }
        flush(pending);
        readTag(std::u32string_view(m_text).substr(i + 1, close - i - 1));
        i = close + 1;
      } else if (c == '&') {
        i = readEntity(i, pending);
      } else {
        pending += c;
        ++i;
      }
    }
    flush(pending);
    if (m_paragraphs.size() > 1 && m_paragraphs.back().runs.empty()) m_paragraphs.pop_back();
    return std::move(m_paragraphs);
  }

 private:
  using Attributes = std::map<std::string, std::u32string>;

  void flush(std::u32string& pending) {
    appendText(m_paragraphs.back(), pending, m_formats.back().second);
    pending.clear();
  }

  void startParagraph() { m_paragraphs.emplace_back().format = m_paragraphFormats.back().second; }

  // Ends the paragraph that has text, so that the next text starts a new one.
  void endParagraph() {
    if (!m_paragraphs.back().runs.empty()) startParagraph();
  }

  void readTag(std::u32string_view tag) {
    const bool closing = !tag.empty() && tag.front() == '/';
    if (closing) tag.remove_prefix(1);
    std::size_t nameEnd = 0;
    while (nameEnd < tag.size() && tag[nameEnd] != ' ' && tag[nameEnd] != '\t' && tag[nameEnd] != '\n' &&
           tag[nameEnd] != '\r' && tag[nameEnd] != '/')
      ++nameEnd;
    const std::string name = lowerAscii(tag.substr(0, nameEnd));
    if (closing) return closeTag(name);
    const Attributes attributes = attributesOf(tag.substr(nameEnd));
    if (name == "br") {
      startParagraph();
    } else if (name == "p" || name == "li") {
      endParagraph();
      ParagraphFormat format = m_paragraphFormats.back().second;
      if (name == "li") format.bullet = true;
      if (const auto align = attributes.find("align"); align != attributes.end()) format.align = alignOf(align->second, format.align);
      if (m_paragraphFormats.size() < kDeepestNesting) m_paragraphFormats.emplace_back(name, format);
      m_paragraphs.back().format = format;
    } else if (name == "textformat" && m_paragraphFormats.size() < kDeepestNesting) {
      m_paragraphFormats.emplace_back(name, textFormatOf(attributes, m_paragraphFormats.back().second));
      if (m_paragraphs.back().runs.empty()) m_paragraphs.back().format = m_paragraphFormats.back().second;
    } else if ((name == "font" || name == "b" || name == "i" || name == "u" || name == "a" || name == "span") &&
               m_formats.size() < kDeepestNesting) {
      CharacterFormat format = m_formats.back().second;
      if (name == "b") format.bold = true;
      if (name == "i") format.italic = true;
      if (name == "u") format.underline = true;
      if (name == "font") applyFontAttributes(attributes, format);
      m_formats.emplace_back(name, format);
    }
  }

  void closeTag(const std::string& name) {
    if (name == "p" || name == "li") endParagraph();
    const auto pop = [&](auto& stack) {
      for (std::size_t i = stack.size(); i-- > 1;) {
        if (stack[i].first == name) {
          stack.resize(i);
          return;
        }
      }
    };
    pop(m_formats);
    pop(m_paragraphFormats);
  }

  static Attributes attributesOf(std::u32string_view text) {
    Attributes attributes;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
      while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' || text[i] == '/')) ++i;
    };
    while (true) {
      skipBlanks();
      const std::size_t nameStart = i;
      while (i < text.size() && text[i] != '=' && text[i] != ' ' && text[i] != '\t') ++i;
      if (i == nameStart) return attributes;
      const std::string name = lowerAscii(text.substr(nameStart, i - nameStart));
      skipBlanks();
      if (i >= text.size() || text[i] != '=') {
        attributes[name];
        continue;
      }
      ++i;
      skipBlanks();
      std::u32string value;
      if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
        const char32_t quote = text[i++];
        const std::size_t end = std::min(text.find(quote, i), text.size());
        value = text.substr(i, end - i);
        i = end + 1;
      } else {
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
        value = text.substr(start, i - start);
      }
      attributes[name] = std::move(value);
    }
  }

  static std::optional<double> numberOf(const std::u32string& value) {
    const std::string text = lowerAscii(value);
    double number = 0;
    const char* begin = text.c_str() + (text.starts_with('+') ? 1 : 0);
    const auto result = std::from_chars(begin, text.c_str() + text.size(), number);
    if (result.ec != std::errc{} || result.ptr == begin) return std::nullopt;
    return number;
  }

  static TextAlign alignOf(const std::u32string& value, TextAlign otherwise) {
    const std::string align = lowerAscii(value);
    if (align == "left") return TextAlign::Left;
    if (align == "right") return TextAlign::Right;
    if (align == "center") return TextAlign::Center;
    if (align == "justify") return TextAlign::Justify;
    return otherwise;
  }

  static ParagraphFormat textFormatOf(const Attributes& attributes, ParagraphFormat format) {
    const std::pair<const char*, std::int32_t ParagraphFormat::*> fields[] = {
        {"leftmargin", &ParagraphFormat::leftMargin}, {"rightmargin", &ParagraphFormat::rightMargin},
        {"indent", &ParagraphFormat::indent},         {"blockindent", &ParagraphFormat::blockIndent},
        {"leading", &ParagraphFormat::leading}};
    for (const auto& [name, field] : fields) {
      const auto value = attributes.find(name);
      if (value == attributes.end()) continue;
      if (const std::optional<double> pixels = numberOf(value->second)) format.*field = pixelsToTwips(*pixels);
    }
    return format;
  }

  static std::int32_t pixelsToTwips(double pixels) {
    constexpr double kLargest = 1e6;
    if (std::isnan(pixels)) return 0;
    return static_cast<std::int32_t>(std::clamp(pixels, -kLargest, kLargest) * kTwipsPerPixel);
  }

  static void applyFontAttributes(const Attributes& attributes, CharacterFormat& format) {
    if (const auto face = attributes.find("face"); face != attributes.end()) {
      std::string utf8;
      for (const char32_t c : face->second) appendUtf8(utf8, c);
      format.face = utf8;
    }
    if (const auto size = attributes.find("size"); size != attributes.end()) {
      if (const std::optional<double> points = numberOf(size->second)) {
        const bool relative = !size->second.empty() && (size->second.front() == '+' || size->second.front() == '-');
        const std::int32_t twips = pixelsToTwips(*points);
        format.size = std::clamp(relative ? format.size + twips : twips, 0, 0xFFFF);
      }
    }
    if (const auto color = attributes.find("color"); color != attributes.end()) {
      const std::string hex = lowerAscii(color->second);
      unsigned value = 0;
      if (hex.size() == 7 && hex.front() == '#' &&
          std::from_chars(hex.data() + 1, hex.data() + 7, value, 16).ptr == hex.data() + 7) {
        format.color = {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                        static_cast<std::uint8_t>(value), format.color.alpha};
      }
    }
    if (const auto spacing = attributes.find("letterspacing"); spacing != attributes.end())
      if (const std::optional<double> pixels = numberOf(spacing->second)) format.letterSpacing = pixelsToTwips(*pixels);
    if (const auto kerning = attributes.find("kerning"); kerning != attributes.end())
      format.kerning = lowerAscii(kerning->second) == "1" || lowerAscii(kerning->second) == "true";
  }

  // An entity at `at`: the character it names, or the ampersand itself when it names none.
  std::size_t readEntity(std::size_t at, std::u32string& pending) const {
    constexpr std::size_t kLongestEntity = 10;
    // Only the next few characters may close an entity, so a run of ampersands stays linear.
    const std::size_t window = std::u32string_view(m_text).substr(at, kLongestEntity + 1).find(';');
    if (window != std::u32string_view::npos) {
      const std::size_t end = at + window;
      const std::string name = lowerAscii(std::u32string_view(m_text).substr(at + 1, end - at - 1));
      static const std::map<std::string, char32_t> kNamed = {
          {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
      if (const auto named = kNamed.find(name); named != kNamed.end()) {
        pending += named->second;
        return end + 1;
      }
      if (name.size() > 1 && name.front() == '#') {
        const bool hex = name[1] == 'x';
        unsigned value = 0;
        const char* begin = name.data() + (hex ? 2 : 1);
        const auto result = std::from_chars(begin, name.data() + name.size(), value, hex ? 16 : 10);
        if (result.ec == std::errc{} && result.ptr == name.data() + name.size() && result.ptr != begin &&
            value <= 0x10FFFF) {
          pending += static_cast<char32_t>(value);
          return end + 1;
        }
      }
    }
    pending += '&';
    return at + 1;
  }

  std::u32string m_text;
  std::vector<std::pair<std::string, CharacterFormat>> m_formats;
  std::vector<std::pair<std::string, ParagraphFormat>> m_paragraphFormats;
  std::vector<TextParagraph> m_paragraphs;
};

}  // namespace

std::vector<TextParagraph> editTextContent(const EditText& text) {
  std::vector<TextParagraph> paragraphs = text.html ? HtmlReader(text).read() : plainContent(text);
  if (text.password)
    for (TextParagraph& paragraph : paragraphs)
      for (TextRun& run : paragraph.runs) run.text.assign(run.text.size(), U'*');
  return paragraphs;
}

}  // namespace orvane
