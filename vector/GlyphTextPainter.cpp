#include "vector/GlyphTextPainter.h"

#include "movie/AssetObjects.h"
#include "vector/TextSvg.h"

namespace orvane {

void GlyphTextPainter::paint(const TextObject& text, const Transform& transform, const ColorTransform& colors,
                             SvgCanvas& canvas) {
  const TextPicture& picture = pictureOf(text);
  for (const std::string& fault : picture.faults)
    canvas.notes.push_back("Text " + std::to_string(text.characterId) + " is drawn as far as it reads: " + fault + ".");
  appendTextPicture(canvas.body, picture, transform, colors);
}

void GlyphTextPainter::clip(const TextObject& text, const Transform& transform, std::string& out) {
  appendTextClip(out, pictureOf(text), transform);
}

const TextPicture& GlyphTextPainter::pictureOf(const TextObject& text) {
  auto found = m_pictures.find(&text);
  if (found == m_pictures.end()) found = m_pictures.emplace(&text, m_texts.picture(text)).first;
  return found->second;
}

}  // namespace orvane
