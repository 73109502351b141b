// One scanned movie's vector assets as the documents that the asset windows show and the
// extraction writes: shapes, morph shapes, frames and texts as SVG, fonts as font files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/FontLibrary.h"
#include "vector/TextAssets.h"
#include "fonts/TrueTypeWriter.h"
#include "movie/ScanResult.h"
#include "objects/MovieBitmaps.h"
#include "vector/CharacterLibrary.h"
#include "vector/FrameRenderer.h"
#include "vector/GlyphTextPainter.h"

namespace orvane {

/// One asset drawn as a whole SVG document at scale 1.
struct AssetPicture {
  std::string svg;
  /// The document's area, twips.
  SwfRect bounds;
  /// What could not be drawn as the movie asks, or read whole, one sentence each.
  std::vector<std::string> notes;
  /// The asset's records could not be read whole: the picture shows only what they hold.
  bool damaged = false;
};

/// Decodes each shape, bitmap and font once, when first drawn. Not thread-safe.
class MovieArtwork {
 public:
  /// `result` and the movie of `source` (the movie the scan walked) must outlive it; the
  /// bitmaps' preserved forms are written into `scratchFolder` and read back.
  MovieArtwork(const ScanResult& result, const PreservationSource& source, std::string scratchFolder);

  /// The shape over its bounds.
  AssetPicture shape(const ShapeObject& object);
  /// The morph shape at `ratio` (0 the start, 65535 the end) over its bounds at that ratio.
  AssetPicture morphShape(const MorphShapeObject& object, std::uint16_t ratio);
  /// The whole morph as an animated SVG: the start shape turning into the end shape over
  /// `seconds`, again and again, over the bounds of both.
  AssetPicture morphAnimation(const MorphShapeObject& object, double seconds = kMorphSeconds);
  static constexpr double kMorphSeconds = 2;
  /// The stage showing `timeline` at the end of `frame`, counted from 0.
  AssetPicture frame(const TimelineNode& timeline, std::uint32_t frame, const FrameOptions& options = {});
  /// The text over its bounds.
  AssetPicture text(const TextObject& object) const;
  /// The font as TrueType, DefineFont4's as its OpenType data; no bytes when there is none.
  FontFile font(const FontObject& object) const;

  const FontLibrary& fonts() const { return m_fonts; }
  const TextAssets& texts() const { return m_texts; }

 private:
  /// `paths` of `shape` drawn over `bounds`, with `fault` (empty when read whole) as a note.
  /// With a `target`, the shape animates into it (see ShapeSvgWriter::draw).
  AssetPicture shapePicture(const Shape& shape, const SwfRect& bounds, const std::string& fault,
                            const MorphTarget* target = nullptr);

  const ScanResult& m_result;
  std::span<const std::uint8_t> m_movie;
  CharacterLibrary m_library;
  MovieBitmaps m_bitmaps;
  FontLibrary m_fonts;
  TextAssets m_texts;
  GlyphTextPainter m_textPainter;
};

}  // namespace orvane
