// Draws a timeline's frame as SVG: its display list with every placed character nested
// as the player composes them (sprites at their own frame, buttons up, morphs at their
// ratio, clip depths as masks).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vector/CharacterLibrary.h"
#include "vector/DisplayList.h"
#include "vector/ShapeSvg.h"
#include "vector/SvgCanvas.h"

namespace orvane {

/// Draws the texts that frames place (static and edit texts), in the text's coordinates.
class TextPainter {
 public:
  virtual ~TextPainter() = default;
  /// Draws the text into the canvas's body under `transform` with colours through `colors`.
  virtual void paint(const TextObject& text, const Transform& transform, const ColorTransform& colors,
                     SvgCanvas& canvas) = 0;
  /// The glyphs' outlines alone, without paint, as the shapes of a mask.
  virtual void clip(const TextObject& text, const Transform& transform, std::string& out) = 0;
};

struct FrameOptions {
  /// Device pixels per pixel of the stage.
  double scale = 1;
  /// Off: shapes are drawn without anti-aliasing, as the player draws at low quality.
  bool antialias = true;
  /// Above 1: bitmaps embedded with each pixel as a block of that many pixels a side, for
  /// the four-sample pass (kFourSampleScale), whose smoothing would otherwise blend each
  /// bitmap pixel with its neighbours (see BitmapBlocks).
  int bitmapBlocks = 1;
};

class FrameRenderer {
 public:
  /// `bitmaps` and `texts` may be none: bitmap fills and texts are then left out with a note.
  FrameRenderer(CharacterLibrary& library, BitmapSource* bitmaps, TextPainter* texts)
      : m_library(library), m_bitmaps(bitmaps), m_texts(texts) {}

  /// The SVG document of the stage (its size and background) showing `timeline` at the end
  /// of `frame`, counted from 0. A sprite's timeline is drawn at the stage's origin.
  std::string frameSvg(const TimelineNode& timeline, std::uint32_t frame, const FrameOptions& options);
  /// What the last frame could not draw, one sentence each.
  const std::vector<std::string>& notes() const { return m_notes; }

  /// How many frames the timeline plays: its ShowFrame tags, at least 1.
  static std::uint32_t frameCount(const TimelineNode& timeline);

 private:
  struct Context {
    Transform transform;
    ColorTransform colors;
    /// How many frames the enclosing timeline has played up to the frame drawn.
    std::int64_t elapsed = 0;
    int nesting = 0;
  };

  void drawList(const DisplayList& list, const Context& context);
  void drawObject(const PlacedObject& placed, const Context& context);
  void clipObject(const PlacedObject& placed, const Context& context, std::string& out);
  /// The frame a sprite placed in `placedInFrame` of its parent shows, and its elapsed frames.
  std::int64_t spriteElapsed(const PlacedObject& placed, const Context& context) const;
  std::uint32_t spriteFrame(const TimelineNode& sprite, std::int64_t elapsed);
  const EmbeddedBitmap* placedBitmap(std::uint16_t id) const;
  /// The button's characters in its up state, by depth.
  DisplayList upState(const ButtonObject& button) const;
  bool withinBudget(const Context& context);
  void note(std::string text);

  CharacterLibrary& m_library;
  BitmapSource* m_bitmaps;
  TextPainter* m_texts;
  SvgCanvas* m_canvas = nullptr;
  /// The area the frame shows, in the document's coordinates (twips): what masks cover.
  SwfRect m_area;
  std::vector<std::string> m_notes;
  std::uint64_t m_drawn = 0;
};

}  // namespace orvane
