#include "vector/GradientRamp.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kCyan{0, 255, 255, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kYellow{255, 255, 0, 255};

TEST(GradientRamp, StopsThatRepeatARatioTakeTheEntriesAfterIt) {
  Gradient gradient;
  gradient.stops = {{0, kRed}, {100, kCyan}, {100, kRed}, {100, kBlue}, {255, kYellow}};
  const GradientRamp ramp = gradientRamp(gradient, ColorTransform{});
  EXPECT_EQ(ramp[0], kRed);
  // Red to cyan over 100 entries: entry 99 is 99/100 of the way, each channel cut down.
  EXPECT_EQ(ramp[99], (Rgba{2, 252, 252, 255}));
  EXPECT_EQ(ramp[100], kCyan);
  EXPECT_EQ(ramp[101], kRed);
  EXPECT_EQ(ramp[102], kBlue);
  // Blue at 102 to yellow at 255: one step of 153 (255 / 153 = 1.67 per channel).
  EXPECT_EQ(ramp[103], (Rgba{1, 1, 253, 255}));
  EXPECT_EQ(ramp[255], kYellow);

  // A ratio that goes backwards is not moved: it only ends the pair before it.
  gradient.stops = {{0, kRed}, {200, kBlue}, {100, kYellow}};
  const GradientRamp backwards = gradientRamp(gradient, ColorTransform{});
  EXPECT_EQ(backwards[100], (Rgba{127, 0, 127, 255}));
  EXPECT_EQ(backwards[201], kYellow);
}

}  // namespace
}  // namespace orvane
