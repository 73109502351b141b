// The table of 256 colours a gradient is drawn from, built as the player builds it.
#pragma once

#include <array>

#include "movie/ShapeRecords.h"
#include "vector/Transforms.h"

namespace orvane {

/// Entry i is the colour at ratio i: the stops (their colours through `colors`) interpolated
/// in RGB or, for linear-RGB gradients, in linear light; each channel cut down to a whole
/// value. The entries walk the pairs of neighbouring stops in order, moving on to the next
/// pair at an entry past the current pair's end, one pair per entry; a pair whose ratios do
/// not increase gives its first stop's colour. So a stop whose ratio goes backwards holds
/// the colour before it for one entry, and stops that repeat a ratio each show for one entry
/// after it (0 red, 100 cyan, 100 red, 100 blue: 101 cyan, 102 red, from 103 blue onwards).
/// Before the first stop its colour, past the pairs the last's. A gradient without stops
/// is transparent black throughout.
using GradientRamp = std::array<Rgba, 256>;
GradientRamp gradientRamp(const Gradient& gradient, const ColorTransform& colors);

}  // namespace orvane
