// The table of 256 colours a gradient is drawn from, built as the player builds it.
#pragma once

#include <array>

#include "movie/ShapeRecords.h"
#include "vector/Transforms.h"

namespace orvane {

/// Entry i is the colour at ratio i: the stops (their colours through `colors`) interpolated
/// in RGB or, for linear-RGB gradients, in linear light; each channel cut down to a whole
/// value. An entry takes the first pair of neighbouring stops that encloses it, so a stop
/// whose ratio goes backwards only ends the pair before it; stops that repeat the ratio of
/// the one before each take the next entry (100, 100, 100 are drawn at 100, 101, 102). A
/// gradient without stops is
/// transparent black throughout.
using GradientRamp = std::array<Rgba, 256>;
GradientRamp gradientRamp(const Gradient& gradient, const ColorTransform& colors);

/// Whether entry `i` lies on the straight line between its neighbours in every channel, so
/// that interpolating them gives it back.
bool liesBetweenNeighbours(const GradientRamp& ramp, std::size_t i);

}  // namespace orvane
