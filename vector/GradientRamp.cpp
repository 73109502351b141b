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
  for (std::size_t k = 0; k < gradient.stops.size(); ++k) {
    const GradientStop& stop = gradient.stops[k];
    const Rgba color = colors.apply(stop.color);
    const double rgb[3] = {double(color.red), double(color.green), double(color.blue)};
    // Stops that repeat a ratio each take the entry after the one before them.
    const bool repeated = k > 0 && stop.ratio == gradient.stops[k - 1].ratio;
    Stop converted{repeated ? std::min(stops.back().ratio + 1, 255) : int{stop.ratio}, {}};
    for (int c = 0; c < 3; ++c) converted.channels[c] = linearLight ? toLinear(rgb[c]) : rgb[c];
    converted.channels[3] = color.alpha;
    stops.push_back(converted);
  }
  for (int i = 0; i < 256; ++i) {
    // The first pair of neighbouring stops whose ratios enclose the entry; a pair that runs
    // backwards encloses nothing. Before the first stop its colour, past every pair the last's.
    double mixed[4];
    const Stop* from = i < stops.front().ratio ? &stops.front() : &stops.back();
    const Stop* to = from;
    for (std::size_t k = 0; k + 1 < stops.size() && i >= stops.front().ratio; ++k) {
      if (stops[k].ratio <= i && i < stops[k + 1].ratio) {
        from = &stops[k];
        to = &stops[k + 1];
        break;
      }
    }
    const double t = to->ratio > from->ratio ? double(i - from->ratio) / (to->ratio - from->ratio) : 0;
    for (int c = 0; c < 4; ++c) mixed[c] = from->channels[c] + (to->channels[c] - from->channels[c]) * t;
    if (linearLight) {
      for (int c = 0; c < 3; ++c) mixed[c] = toSrgb(mixed[c]);
    }
    ramp[i] = Rgba{channelOf(mixed[0]), channelOf(mixed[1]), channelOf(mixed[2]), channelOf(mixed[3])};
  }
  return ramp;
}

bool liesBetweenNeighbours(const GradientRamp& ramp, std::size_t i) {
  if (i == 0 || i + 1 >= ramp.size()) return false;
  const Rgba& a = ramp[i - 1];
  const Rgba& b = ramp[i];
  const Rgba& c = ramp[i + 1];
  return a.red + c.red == 2 * b.red && a.green + c.green == 2 * b.green && a.blue + c.blue == 2 * b.blue &&
         a.alpha + c.alpha == 2 * b.alpha;
}

}  // namespace orvane
