// The texts a scan recorded, each as what the windows, the frames and the extraction show:
// its placed glyphs, its SVG, its characters and its properties.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "vector/TextLayout.h"

namespace orvane {

class FontLibrary;
class TextObject;
struct EditText;

/// Reads the texts of one scanned movie; `movie` and `fonts` must outlive it.
class TextAssets {
 public:
  TextAssets(std::span<const std::uint8_t> movie, std::uint8_t movieVersion, const FontLibrary& fonts)
      : m_movie(movie), m_version(movieVersion), m_fonts(fonts) {}

  TextPicture picture(const TextObject& text) const;
  /// The text as an SVG document in pixels over its bounds.
  std::string svg(const TextObject& text) const;
  /// A static text's characters through its fonts (a line for each line of records); an
  /// edit text's initial text (HTML as it is).
  std::string characters(const TextObject& text) const;
  /// An edit text's properties as rows of a label and a value; a static text has none.
  std::vector<std::pair<std::string, std::string>> properties(const TextObject& text) const;

 private:
  std::span<const std::uint8_t> m_movie;
  std::uint8_t m_version;
  const FontLibrary& m_fonts;
};

/// The rows of an edit text's properties: "Bounds", "Font", "Height", "Colour",
/// "Max Length", "Align", "Margins", "Indent", "Leading", "Variable" and "Flags".
std::vector<std::pair<std::string, std::string>> editTextProperties(const EditText& text);

}  // namespace orvane
