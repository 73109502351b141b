#include "vector/TextAssets.h"

#include <cstdio>

#include "fonts/StaticTextGlyphs.h"
#include "fonts/TextDecoder.h"
#include "movie/AssetObjects.h"
#include "movie/TagHeader.h"
#include "vector/EditTextLayout.h"
#include "vector/SvgCanvas.h"
#include "vector/TextSvg.h"

namespace orvane {
namespace {

std::string pixels(std::int64_t twips) {
  std::string text;
  appendPixels(text, twips);
  return text;
}

}  // namespace

TextPicture TextAssets::picture(const TextObject& text) const {
  if (text.code == tag::kDefineEditText) return layOutEditText(decodeEditText(text.bodyIn(m_movie), m_version), m_fonts);
  return staticTextPicture(decodeStaticText(text.code, text.bodyIn(m_movie)), m_fonts);
}

std::string TextAssets::svg(const TextObject& text) const { return textSvg(picture(text)); }

std::string TextAssets::characters(const TextObject& text) const {
  if (text.code == tag::kDefineEditText) return decodeEditText(text.bodyIn(m_movie), m_version).initialText;
  return staticTextCharacters(decodeStaticText(text.code, text.bodyIn(m_movie)), m_fonts);
}

std::vector<std::pair<std::string, std::string>> TextAssets::properties(const TextObject& text) const {
  if (text.code != tag::kDefineEditText) return {};
  return editTextProperties(decodeEditText(text.bodyIn(m_movie), m_version));
}

std::vector<std::pair<std::string, std::string>> editTextProperties(const EditText& text) {
  const SwfRect& b = text.bounds;
  std::string font = "none";
  if (text.hasFont) font = "ID " + std::to_string(text.fontId);
  if (text.hasFontClass) font = (text.hasFont ? font + ", class " : "class ") + text.fontClass;
  std::string colour = "none";
  if (text.hasTextColor) {
    char hex[32];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X, alpha %d", text.textColor.red, text.textColor.green,
                  text.textColor.blue, text.textColor.alpha);
    colour = hex;
  }
  static const char* const kAligns[] = {"Left", "Right", "Center", "Justify"};
  const std::string align = text.align < 4 ? kAligns[text.align] : "Unknown (" + std::to_string(text.align) + ")";
  const std::pair<bool, const char*> flags[] = {
      {text.wordWrap, "word-wrap"}, {text.multiline, "multiline"}, {text.password, "password"},
      {text.readOnly, "read-only"}, {text.autoSize, "auto-size"},  {text.noSelect, "no-select"},
      {text.border, "border"},      {text.wasStatic, "was-static"}, {text.html, "html"},
      {text.useOutlines, "outlines"}};
  std::string flagText;
  for (const auto& [set, name] : flags)
    if (set) flagText += (flagText.empty() ? "" : " ") + std::string(name);
  const bool layout = text.hasLayout;
  return {{"Bounds", "X " + pixels(b.xMin) + ", Y " + pixels(b.yMin) + ", Width " +
                         pixels(std::int64_t{b.xMax} - b.xMin) + ", Height " + pixels(std::int64_t{b.yMax} - b.yMin)},
          {"Font", font},
          {"Height", text.hasFont || text.hasFontClass ? pixels(text.fontHeight) + " px" : "none"},
          {"Colour", colour},
          {"Max Length", text.hasMaxLength ? std::to_string(text.maxLength) : "none"},
          {"Align", layout ? align : "Left"},
          {"Margins", "left " + pixels(layout ? text.leftMargin : 0) + " px, right " +
                          pixels(layout ? text.rightMargin : 0) + " px"},
          {"Indent", pixels(layout ? text.indent : 0) + " px"},
          {"Leading", pixels(layout ? text.leading : 0) + " px"},
          {"Variable", text.variableName},
          {"Flags", flagText.empty() ? "none" : flagText}};
}

}  // namespace orvane
