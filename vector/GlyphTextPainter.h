// Draws the texts that frames place from their glyph outlines.
#pragma once

#include <string>
#include <unordered_map>

#include "vector/FrameRenderer.h"
#include "vector/TextAssets.h"

namespace orvane {

/// Lays out each text once, the first time a frame places it; `texts` must outlive it.
class GlyphTextPainter : public TextPainter {
 public:
  explicit GlyphTextPainter(const TextAssets& texts) : m_texts(texts) {}

  void paint(const TextObject& text, const Transform& transform, const ColorTransform& colors,
             SvgCanvas& canvas) override;
  void clip(const TextObject& text, const Transform& transform, std::string& out) override;

 private:
  const TextPicture& pictureOf(const TextObject& text);

  const TextAssets& m_texts;
  std::unordered_map<const TextObject*, TextPicture> m_pictures;
};

}  // namespace orvane
