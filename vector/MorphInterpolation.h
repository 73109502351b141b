// A morph shape as the plain shape it shows at one ratio.
#pragma once

#include <cstdint>

#include "movie/MorphShapeRecords.h"

namespace orvane {

/// The shape at `ratio` (0: the start, 65535: the end): every style and point interpolated
/// linearly. Edges pair up in order; a straight edge paired with a curved one becomes a curve
/// whose control point is its middle. Start edges without a partner keep their place.
Shape morphShapeAt(const MorphShape& morph, std::uint16_t ratio);

}  // namespace orvane
