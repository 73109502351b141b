#include "vector/GradientRamp.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvane {

namespace {

double toLinear(double srgb) {
  srgb /= 255;
  return srgb <= 0.04045 ? srgb / 12.92 : std::pow((srgb + 0.055) / 1.055, 2.4);
}

double toSrgb(double linear) {
  const double v = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return v * 255;
}

std::uint8_t channelOf(double value) { return static_cast<std::uint8_t>(std::clamp(std::floor(value), 0.0, 255.0)); }

struct Stop {
  int ratio;
  double channels[4];
};

}  // namespace

GradientRamp gradientRamp(const Gradient& gradient, const ColorTransform& colors) {
  GradientRamp ramp{};
  if (gradient.stops.empty()) return ramp;
  const bool linearLight = gradient.interpolationMode == 1;
  std::vector<Stop> stops;
  stops.reserve(gradient.stops.size());
  for (const GradientStop& stop : gradient.stops) {
    const Rgba color = colors.apply(stop.color);
    const double rgb[3] = {double(color.red), double(color.green), double(color.blue)};
    Stop converted{int{stop.ratio}, {}};
    for (int c = 0; c < 3; ++c) converted.channels[c] = linearLight ? toLinear(rgb[c]) : rgb[c];
    converted.channels[3] = color.alpha;
    stops.push_back(converted);
  }
  // The pair of neighbouring stops the entries are mixed from moves on by one pair at an
  // entry past the pair's end, however far past it is.
  std::size_t pair = 0;
  for (int i = 0; i < 256; ++i) {
    if (pair + 1 < stops.size() && i > stops[pair + 1].ratio) ++pair;
    const Stop& from = stops[pair];
    const Stop& to = pair + 1 < stops.size() ? stops[pair + 1] : from;
    const double t =
        to.ratio > from.ratio ? std::clamp(double(i - from.ratio) / (to.ratio - from.ratio), 0.0, 1.0) : 0;
    double mixed[4];
    for (int c = 0; c < 4; ++c) mixed[c] = from.channels[c] + (to.channels[c] - from.channels[c]) * t;
    if (linearLight) {
      for (int c = 0; c < 3; ++c) mixed[c] = toSrgb(mixed[c]);
    }
    ramp[i] = Rgba{channelOf(mixed[0]), channelOf(mixed[1]), channelOf(mixed[2]), channelOf(mixed[3])};
  }
  return ramp;
}

}  // namespace orvane
