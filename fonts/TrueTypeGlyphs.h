// The glyph tables of a TrueType font: `glyf`, `loca` and `hmtx`.
#pragma once

#include <cstdint>
#include <vector>

#include "fonts/GlyphOutline.h"

namespace orvane {

/// One glyph in TrueType units, y pointing up; every coordinate fits 16 bits.
struct TrueTypeGlyph {
  GlyphOutline outline;
  std::uint16_t advance = 0;
};

/// The bounds of the points of a glyph (all zero for a glyph without contours).
struct GlyphBox {
  std::int16_t xMin = 0;
  std::int16_t yMin = 0;
  std::int16_t xMax = 0;
  std::int16_t yMax = 0;
};

/// Encodes the glyphs once and keeps what the other tables need to know about them.
class TrueTypeGlyphTables {
 public:
  explicit TrueTypeGlyphTables(const std::vector<TrueTypeGlyph>& glyphs);

  const std::vector<std::uint8_t>& glyf() const { return m_glyf; }
  const std::vector<std::uint8_t>& loca() const { return m_loca; }
  const std::vector<std::uint8_t>& hmtx() const { return m_hmtx; }
  /// 1 when `loca` holds 32-bit offsets.
  std::int16_t indexToLocFormat() const { return m_longOffsets ? 1 : 0; }

  const std::vector<GlyphBox>& boxes() const { return m_boxes; }
  GlyphBox fontBox() const { return m_fontBox; }
  std::uint16_t maxPoints() const { return m_maxPoints; }
  std::uint16_t maxContours() const { return m_maxContours; }
  std::uint16_t advanceWidthMax() const { return m_advanceWidthMax; }
  std::int16_t minLeftSideBearing() const { return m_minLeftSideBearing; }
  std::int16_t minRightSideBearing() const { return m_minRightSideBearing; }
  std::int16_t xMaxExtent() const { return m_xMaxExtent; }
  /// The mean of the advances that are not zero, as OS/2 version 3 and later define it.
  std::int16_t averageAdvance() const { return m_averageAdvance; }

 private:
  void addGlyph(const TrueTypeGlyph& glyph, std::vector<std::uint8_t>& glyf);
  void addMetrics(const TrueTypeGlyph& glyph, const GlyphBox& box, bool hasContours);

  std::vector<std::uint8_t> m_glyf;
  std::vector<std::uint8_t> m_loca;
  std::vector<std::uint8_t> m_hmtx;
  bool m_longOffsets = false;
  std::vector<GlyphBox> m_boxes;
  GlyphBox m_fontBox;
  bool m_anyContours = false;
  std::uint16_t m_maxPoints = 0;
  std::uint16_t m_maxContours = 0;
  std::uint16_t m_advanceWidthMax = 0;
  std::int16_t m_minLeftSideBearing = 0;
  std::int16_t m_minRightSideBearing = 0;
  std::int16_t m_xMaxExtent = 0;
  std::int16_t m_averageAdvance = 0;
};

}  // namespace orvane
