#include "objects/MovieArtwork.h"

#include <algorithm>
#include <cmath>

#include "vector/FrameRenderer.h"
#include "vector/MorphInterpolation.h"
#include "vector/ShapeSvg.h"
#include "vector/TextSvg.h"

namespace orvane {

namespace {

std::int32_t between(std::int32_t start, std::int32_t end, std::uint16_t ratio) {
  return static_cast<std::int32_t>(std::lround(start + (static_cast<double>(end) - start) * ratio / 65535.0));
}

SwfRect boundsAt(const MorphShape& morph, std::uint16_t ratio) {
  const SwfRect& a = morph.startBounds;
  const SwfRect& b = morph.endBounds;
  return {between(a.xMin, b.xMin, ratio), between(a.xMax, b.xMax, ratio), between(a.yMin, b.yMin, ratio),
          between(a.yMax, b.yMax, ratio)};
}

}  // namespace

MovieArtwork::MovieArtwork(const ScanResult& result, const PreservationSource& source, std::string scratchFolder)
    : m_result(result),
      m_movie(source.movie),
      m_library(result, source.movie),
      m_bitmaps(result, source, std::move(scratchFolder)),
      m_fonts(result, source.movie),
      m_texts(source.movie, static_cast<std::uint8_t>(result.version), m_fonts),
      m_textPainter(m_texts) {}

AssetPicture MovieArtwork::shapePicture(const Shape& shape, const SwfRect& bounds, const std::string& fault,
                                        const MorphTarget* target) {
  SvgCanvas canvas;
  ShapeSvgWriter(canvas, &m_bitmaps).draw(shape.styleGroups, assembleShape(shape), Transform{}, ColorTransform{}, target);
  AssetPicture picture{canvas.document(bounds, 1, nullptr, true), bounds, std::move(canvas.notes)};
  if (!fault.empty()) {
    picture.notes.push_back("The shape is not whole: " + fault);
    picture.damaged = true;
  }
  return picture;
}

AssetPicture MovieArtwork::shape(const ShapeObject& object) {
  const DefinedShape defined = readDefineShape(object.bodyIn(m_movie), object.code);
  return shapePicture(defined.shape, defined.bounds, defined.shape.fault);
}

AssetPicture MovieArtwork::morphShape(const MorphShapeObject& object, std::uint16_t ratio) {
  const MorphShape morph = readMorphShape(object.bodyIn(m_movie), object.code);
  return shapePicture(morphShapeAt(morph, ratio), boundsAt(morph, ratio), morph.fault);
}

AssetPicture MovieArtwork::morphAnimation(const MorphShapeObject& object, double seconds) {
  const MorphShape morph = readMorphShape(object.bodyIn(m_movie), object.code);
  const Shape end = morphShapeAt(morph, 65535);
  const ShapePaths endPaths = assembleShape(end);
  const MorphTarget target{end.styleGroups, endPaths, seconds};
  const SwfRect& a = morph.startBounds;
  const SwfRect& b = morph.endBounds;
  const SwfRect both{std::min(a.xMin, b.xMin), std::max(a.xMax, b.xMax), std::min(a.yMin, b.yMin),
                     std::max(a.yMax, b.yMax)};
  return shapePicture(morphShapeAt(morph, 0), both, morph.fault, &target);
}

AssetPicture MovieArtwork::frame(const TimelineNode& timeline, std::uint32_t frame, const FrameOptions& options) {
  FrameRenderer renderer(m_library, &m_bitmaps, &m_textPainter);
  AssetPicture picture{renderer.frameSvg(timeline, frame, options),
                       SwfRect{0, m_result.width * 20, 0, m_result.height * 20}, renderer.notes()};
  return picture;
}

AssetPicture MovieArtwork::text(const TextObject& object) const {
  TextPicture placed = m_texts.picture(object);
  AssetPicture picture{textSvg(placed), placed.bounds, std::move(placed.faults)};
  picture.damaged = !picture.notes.empty();
  return picture;
}

FontFile MovieArtwork::font(const FontObject& object) const {
  const SwfFont* font = m_fonts.font(object.characterId);
  return font == nullptr ? FontFile{} : fontFileOf(*font);
}

}  // namespace orvane
