#include "fonts/TrueTypeGlyphs.h"

#include <algorithm>
#include <limits>

#include "fonts/BigEndianWriter.h"

namespace orvane {
namespace {

constexpr std::uint8_t kOnCurve = 0x01;
constexpr std::uint8_t kXShort = 0x02;
constexpr std::uint8_t kYShort = 0x04;
constexpr std::uint8_t kRepeat = 0x08;
constexpr std::uint8_t kXSameOrPositive = 0x10;
constexpr std::uint8_t kYSameOrPositive = 0x20;

std::int16_t clamp16(std::int32_t value) {
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, std::numeric_limits<std::int16_t>::min(),
                                                            std::numeric_limits<std::int16_t>::max()));
}

GlyphBox boxOf(const GlyphOutline& outline) {
  GlyphBox box;
  bool first = true;
  for (const GlyphContour& contour : outline.contours) {
    for (const GlyphPoint& point : contour.points) {
      const std::int16_t x = clamp16(point.x);
      const std::int16_t y = clamp16(point.y);
      if (first) {
        box = {x, y, x, y};
        first = false;
      }
      box.xMin = std::min(box.xMin, x);
      box.yMin = std::min(box.yMin, y);
      box.xMax = std::max(box.xMax, x);
      box.yMax = std::max(box.yMax, y);
    }
  }
  return box;
}

// One coordinate's delta: its flag bits and its bytes (none, one unsigned byte, or 16 bits).
struct DeltaEncoding {
  std::uint8_t flags = 0;
  int size = 0;
};

DeltaEncoding encodeDelta(std::int32_t delta, std::uint8_t shortFlag, std::uint8_t sameOrPositiveFlag) {
  if (delta == 0) return {sameOrPositiveFlag, 0};
  if (delta >= -255 && delta <= 255) return {static_cast<std::uint8_t>(shortFlag | (delta > 0 ? sameOrPositiveFlag : 0)), 1};
  return {0, 2};
}

void writeDelta(BigEndianWriter& out, std::int32_t delta, int size) {
  if (size == 1) out.u8(static_cast<std::uint32_t>(delta < 0 ? -delta : delta));
  if (size == 2) out.s16(delta);
}

}  // namespace

TrueTypeGlyphTables::TrueTypeGlyphTables(const std::vector<TrueTypeGlyph>& glyphs) {
  std::vector<std::uint32_t> offsets;
  offsets.reserve(glyphs.size() + 1);
  std::int64_t advanceSum = 0;
  std::int64_t advanceCount = 0;
  for (const TrueTypeGlyph& glyph : glyphs) {
    offsets.push_back(static_cast<std::uint32_t>(m_glyf.size()));
    addGlyph(glyph, m_glyf);
    if (glyph.advance != 0) advanceSum += glyph.advance, ++advanceCount;
  }
  offsets.push_back(static_cast<std::uint32_t>(m_glyf.size()));
  m_averageAdvance = advanceCount == 0 ? 0 : clamp16(static_cast<std::int32_t>((advanceSum + advanceCount / 2) / advanceCount));

  // Short offsets count 16-bit words; every glyph was padded to a whole word.
  m_longOffsets = m_glyf.size() / 2 > 0xFFFF;
  BigEndianWriter loca;
  for (const std::uint32_t offset : offsets) m_longOffsets ? loca.u32(offset) : loca.u16(offset / 2);
  m_loca = loca.take();
}

void TrueTypeGlyphTables::addGlyph(const TrueTypeGlyph& glyph, std::vector<std::uint8_t>& glyf) {
  const GlyphOutline& outline = glyph.outline;
  const GlyphBox box = boxOf(outline);
  m_boxes.push_back(box);
  addMetrics(glyph, box, !outline.empty());
  if (outline.empty()) return;  // an empty glyph has no data: its offset equals the next

  BigEndianWriter out;
  out.s16(static_cast<std::int32_t>(outline.contours.size()));
  out.s16(box.xMin);
  out.s16(box.yMin);
  out.s16(box.xMax);
  out.s16(box.yMax);
  std::uint32_t endPoint = 0;
  for (const GlyphContour& contour : outline.contours) {
    endPoint += static_cast<std::uint32_t>(contour.points.size());
    out.u16(endPoint - 1);
  }
  out.u16(0);  // no instructions

  std::vector<std::uint8_t> flags;
  BigEndianWriter xs;
  BigEndianWriter ys;
  std::int32_t x = 0;
  std::int32_t y = 0;
  for (const GlyphContour& contour : outline.contours) {
    for (const GlyphPoint& point : contour.points) {
      const std::int32_t dx = clamp16(point.x) - x;
      const std::int32_t dy = clamp16(point.y) - y;
      x += dx;
      y += dy;
      const DeltaEncoding ex = encodeDelta(dx, kXShort, kXSameOrPositive);
      const DeltaEncoding ey = encodeDelta(dy, kYShort, kYSameOrPositive);
      writeDelta(xs, dx, ex.size);
      writeDelta(ys, dy, ey.size);
      flags.push_back(static_cast<std::uint8_t>((point.onCurve ? kOnCurve : 0) | ex.flags | ey.flags));
    }
  }
  for (std::size_t i = 0; i < flags.size();) {
    std::size_t run = 1;
    while (i + run < flags.size() && flags[i + run] == flags[i] && run < 256) ++run;
    if (run > 1) {
      out.u8(flags[i] | kRepeat);
      out.u8(static_cast<std::uint32_t>(run - 1));
    } else {
      out.u8(flags[i]);
    }
    i += run;
  }
  out.bytes(xs.data());
  out.bytes(ys.data());
  out.padTo(2);
  glyf.insert(glyf.end(), out.data().begin(), out.data().end());
  m_maxPoints = std::max(m_maxPoints, static_cast<std::uint16_t>(endPoint));
  m_maxContours = std::max(m_maxContours, static_cast<std::uint16_t>(outline.contours.size()));
}

void TrueTypeGlyphTables::addMetrics(const TrueTypeGlyph& glyph, const GlyphBox& box, bool hasContours) {
  const std::int16_t leftSideBearing = box.xMin;
  BigEndianWriter metrics;
  metrics.u16(glyph.advance);
  metrics.s16(leftSideBearing);
  m_hmtx.insert(m_hmtx.end(), metrics.data().begin(), metrics.data().end());

  m_advanceWidthMax = std::max(m_advanceWidthMax, glyph.advance);
  if (!hasContours) return;
  const std::int16_t rightSideBearing = clamp16(glyph.advance - box.xMax);
  const std::int16_t extent = box.xMax;
  if (!m_anyContours) {
    m_fontBox = box;
    m_minLeftSideBearing = leftSideBearing;
    m_minRightSideBearing = rightSideBearing;
    m_xMaxExtent = extent;
    m_anyContours = true;
    return;
  }
  m_fontBox.xMin = std::min(m_fontBox.xMin, box.xMin);
  m_fontBox.yMin = std::min(m_fontBox.yMin, box.yMin);
  m_fontBox.xMax = std::max(m_fontBox.xMax, box.xMax);
  m_fontBox.yMax = std::max(m_fontBox.yMax, box.yMax);
  m_minLeftSideBearing = std::min(m_minLeftSideBearing, leftSideBearing);
  m_minRightSideBearing = std::min(m_minRightSideBearing, rightSideBearing);
  m_xMaxExtent = std::max(m_xMaxExtent, extent);
}

}  // namespace orvane
