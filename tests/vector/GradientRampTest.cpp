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
  // One pair a step: cyan to red and red to blue have no width and give their first stop.
  EXPECT_EQ(ramp[101], kCyan);
  EXPECT_EQ(ramp[102], kRed);
  // Blue at 100 to yellow at 255, 3 of 155 entries on: 255 * 3 / 155 = 4.94 per channel.
  EXPECT_EQ(ramp[103], (Rgba{4, 4, 250, 255}));
  EXPECT_EQ(ramp[255], kYellow);
}

TEST(GradientRamp, ARatioThatGoesBackwardsHoldsTheColourBeforeItForAnEntry) {
  Gradient gradient;
  gradient.stops = {{0, kRed}, {200, kBlue}, {100, kYellow}};
  const GradientRamp backwards = gradientRamp(gradient, ColorTransform{});
  EXPECT_EQ(backwards[100], (Rgba{127, 0, 127, 255}));
  EXPECT_EQ(backwards[200], kBlue);
  EXPECT_EQ(backwards[201], kBlue);
  EXPECT_EQ(backwards[202], kYellow);

  // Red 31, green 80, cyan 50, magenta 100: past 80 the pair green to cyan runs backwards
  // (81 stays green), then cyan to magenta from 50: at 82 it is 32/50 of the way,
  // 255 * 0.64 = 163.2 red and 255 * 0.36 = 91.8 green.
  constexpr Rgba kGreen{0, 255, 0, 255};
  constexpr Rgba kMagenta{255, 0, 255, 255};
  gradient.stops = {{31, kRed}, {80, kGreen}, {50, kCyan}, {100, kMagenta}};
  const GradientRamp skipped = gradientRamp(gradient, ColorTransform{});
  EXPECT_EQ(skipped[31], kRed);
  EXPECT_EQ(skipped[80], kGreen);
  EXPECT_EQ(skipped[81], kGreen);
  EXPECT_EQ(skipped[82], (Rgba{163, 91, 255, 255}));
  EXPECT_EQ(skipped[100], kMagenta);
  EXPECT_EQ(skipped[101], kMagenta);
}

}  // namespace
}  // namespace orvane
