// DefineMorphShape and DefineMorphShape2: the start and end styles and edges of a morph.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "movie/ShapeRecords.h"

namespace orvane {

/// Every style is kept twice, as it is at ratio 0 (start) and at ratio 65535 (end); the two
/// tables of each pair have the same length and the same types.
struct MorphShape {
  std::uint16_t characterId = 0;
  SwfRect startBounds;
  SwfRect endBounds;
  ShapeStyles startStyles;
  ShapeStyles endStyles;
  /// Their style indices count into the style tables above.
  Shape startEdges;
  Shape endEdges;
  /// Empty when the morph was read whole, else what was missing.
  std::string fault;
};

/// Reads the body of a DefineMorphShape (46) or DefineMorphShape2 (84) tag.
MorphShape readMorphShape(std::span<const std::uint8_t> body, std::uint16_t code);

}  // namespace orvane
