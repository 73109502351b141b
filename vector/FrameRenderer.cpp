#include "vector/FrameRenderer.h"

#include <algorithm>
#include <optional>

#include "vector/BitmapBlocks.h"
#include "vector/MorphInterpolation.h"

namespace orvane {

namespace {

/// Sprites that place themselves, or each other in a ring, would nest without end.
constexpr int kMaxNesting = 64;
/// A movie can nest few sprites into a vast number of drawn objects; past this many the
/// frame stops drawing more.
constexpr std::uint64_t kMaxDrawnObjects = 500000;

}  // namespace

std::uint32_t FrameRenderer::frameCount(const TimelineNode& timeline) {
  return std::max<std::uint32_t>(1, timeline.shownFrames);
}

std::string FrameRenderer::frameSvg(const TimelineNode& timeline, std::uint32_t frame, const FrameOptions& options) {
  const ScanResult& result = m_library.result();
  // The stage's whole pixels from the corner the header gives.
  const SwfRect& corner = result.frameRect;
  m_area = SwfRect{corner.xMin, corner.xMin + result.width * 20, corner.yMin, corner.yMin + result.height * 20};
  SvgCanvas canvas;
  canvas.curvesAsLines = !options.antialias;
  canvas.deviceScale = options.scale;
  if (options.antialias) {
    // At high quality the player takes a gradient's colour at each pixel's corner, half a
    // device pixel from the centre the samples gather around.
    canvas.gradientBands = true;
    canvas.gradientSampleShift = options.scale > 0 ? 0.5 / options.scale : 0.5;
  }
  m_canvas = &canvas;
  m_notes.clear();
  m_drawn = 0;
  Context context;
  context.elapsed = frame;
  BitmapSource* const bitmaps = m_bitmaps;
  std::optional<BitmapBlocks> blocks;
  if (options.bitmapBlocks > 1 && bitmaps != nullptr) m_bitmaps = &blocks.emplace(*bitmaps, options.bitmapBlocks);
  drawList(displayListAt(timeline.displayTags, m_library.movie(), frame), context);
  m_bitmaps = bitmaps;
  for (std::string& text : canvas.notes) note(std::move(text));
  m_canvas = nullptr;
  return canvas.document(m_area, options.scale, &result.background, options.antialias);
}

void FrameRenderer::note(std::string text) {
  if (std::find(m_notes.begin(), m_notes.end(), text) == m_notes.end()) m_notes.push_back(std::move(text));
}

bool FrameRenderer::withinBudget(const Context& context) {
  if (context.nesting > kMaxNesting) {
    note("Sprites nest deeper than " + std::to_string(kMaxNesting) + " levels: the deeper ones are not drawn.");
    return false;
  }
  if (++m_drawn > kMaxDrawnObjects) {
    note("The frame holds more than " + std::to_string(kMaxDrawnObjects) + " objects: the rest are not drawn.");
    return false;
  }
  return true;
}

void FrameRenderer::drawList(const DisplayList& list, const Context& context) {
  std::string& out = m_canvas->body;
  // Masks open a group clipped by their outline that closes after their clip depth.
  std::vector<std::uint16_t> openMasks;
  for (const auto& [depth, placed] : list) {
    while (!openMasks.empty() && depth > openMasks.back()) {
      out += "</g>\n";
      openMasks.pop_back();
    }
    if (placed.clipDepth == 0) {
      drawObject(placed, context);
      continue;
    }
    // A mask that ends below itself masks nothing and is not drawn.
    if (placed.clipDepth <= depth) continue;
    std::string shapes;
    clipObject(placed, context, shapes);
    out += "<g mask=\"url(#" + m_canvas->addMask(m_area, shapes) + ")\">\n";
    openMasks.push_back(placed.clipDepth);
  }
  for (std::size_t i = 0; i < openMasks.size(); ++i) out += "</g>\n";
}

void FrameRenderer::drawObject(const PlacedObject& placed, const Context& outer) {
  if (!withinBudget(outer)) return;
  Context context = outer;
  context.transform = outer.transform * placed.transform;
  context.colors = outer.colors * placed.colors;
  ++context.nesting;
  const std::uint16_t id = placed.characterId;
  ShapeSvgWriter writer(*m_canvas, m_bitmaps);
  if (const DecodedShape* shape = m_library.shape(id)) {
    writer.draw(shape->defined.shape.styleGroups, shape->paths, context.transform, context.colors);
  } else if (const MorphShape* morph = m_library.morphShape(id)) {
    const Shape shape = morphShapeAt(*morph, placed.ratio);
    writer.draw(shape.styleGroups, assembleShape(shape), context.transform, context.colors);
  } else if (const TimelineNode* sprite = m_library.sprite(id)) {
    context.elapsed = spriteElapsed(placed, outer);
    drawList(displayListAt(sprite->displayTags, m_library.movie(), spriteFrame(*sprite, context.elapsed)), context);
  } else if (const ButtonObject* button = m_library.button(id)) {
    drawList(upState(*button), context);
  } else if (const TextObject* text = m_library.text(id)) {
    if (m_texts != nullptr) {
      m_texts->paint(*text, context.transform, context.colors, *m_canvas);
    } else {
      note("Texts are not drawn.");
    }
  } else if (placedBitmap(id) != nullptr) {
    // Placed bitmaps are drawn unsmoothed.
    writer.drawBitmap(*m_bitmaps->unsmoothedBitmap(id, writer.enlargement(context.transform)), context.transform,
                      context.colors);
  } else {
    note("Character " + std::to_string(id) + " is placed but not drawn: the movie defines no shape, sprite, "
         "button, text or bitmap of that id.");
  }
}

void FrameRenderer::clipObject(const PlacedObject& placed, const Context& outer, std::string& out) {
  if (!withinBudget(outer)) return;
  Context context = outer;
  context.transform = outer.transform * placed.transform;
  ++context.nesting;
  const std::uint16_t id = placed.characterId;
  ShapeSvgWriter writer(*m_canvas, m_bitmaps);
  if (const DecodedShape* shape = m_library.shape(id)) {
    writer.clip(shape->paths, context.transform, out);
  } else if (const MorphShape* morph = m_library.morphShape(id)) {
    writer.clip(assembleShape(morphShapeAt(*morph, placed.ratio)), context.transform, out);
  } else if (const TimelineNode* sprite = m_library.sprite(id)) {
    context.elapsed = spriteElapsed(placed, outer);
    const DisplayList list = displayListAt(sprite->displayTags, m_library.movie(), spriteFrame(*sprite, context.elapsed));
    for (const auto& [depth, child] : list) {
      if (child.clipDepth == 0) clipObject(child, context, out);
    }
  } else if (const ButtonObject* button = m_library.button(id)) {
    for (const auto& [depth, child] : upState(*button)) clipObject(child, context, out);
  } else if (const TextObject* text = m_library.text(id)) {
    if (m_texts != nullptr) m_texts->clip(*text, context.transform, out);
  } else if (const EmbeddedBitmap* bitmap = placedBitmap(id)) {
    ShapeSvgWriter::clipBitmap(*bitmap, context.transform, out);
  }
}

const EmbeddedBitmap* FrameRenderer::placedBitmap(std::uint16_t id) const {
  return m_bitmaps != nullptr ? m_bitmaps->bitmap(id) : nullptr;
}

std::int64_t FrameRenderer::spriteElapsed(const PlacedObject& placed, const Context& context) const {
  return std::max<std::int64_t>(0, context.elapsed - placed.placedInFrame);
}

std::uint32_t FrameRenderer::spriteFrame(const TimelineNode& sprite, std::int64_t elapsed) {
  const std::int64_t stop = m_library.firstStopFrame(sprite);
  if (stop >= 0 && elapsed >= stop) return static_cast<std::uint32_t>(stop);
  return static_cast<std::uint32_t>(elapsed % frameCount(sprite));
}

DisplayList FrameRenderer::upState(const ButtonObject& button) const {
  DisplayList list;
  for (const ButtonRecord& record : button.records) {
    if ((record.states & ButtonRecord::kUp) == 0) continue;
    PlacedObject placed;
    placed.depth = record.depth;
    placed.characterId = record.characterId;
    placed.transform = Transform::of(record.matrix);
    placed.colors = ColorTransform::of(record.colorTransform);
    list.emplace(record.depth, placed);
  }
  return list;
}

}  // namespace orvane
