// The display list of a timeline at the end of one of its frames, built from its
// PlaceObject, RemoveObject and ShowFrame tags alone (no ActionScript runs).
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>

#include "movie/AssetObjects.h"
#include "vector/Transforms.h"

namespace orvane {

struct PlacedObject {
  std::uint16_t depth = 0;
  std::uint16_t characterId = 0;
  Transform transform;
  ColorTransform colors;
  /// A morph shape's ratio, 0..65535.
  std::uint16_t ratio = 0;
  /// Nonzero: the object masks the depths above it up to this one.
  std::uint16_t clipDepth = 0;
  std::string name;
  /// The frame of the timeline in which this character was placed at this depth.
  std::uint32_t placedInFrame = 0;
};

/// By depth, lowest first.
using DisplayList = std::map<std::uint16_t, PlacedObject>;

/// Applies the display tags of `tags` up to the end of frame `frame` (counted from 0; past
/// the last frame, the list as the last tag leaves it). Bodies are read from `movie`
/// through the bounded reader; a short tag changes what it could read.
DisplayList displayListAt(std::span<const DisplayTag> tags, std::span<const std::uint8_t> movie,
                          std::uint32_t frame);

}  // namespace orvane
