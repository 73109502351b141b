#include "usage/DesktopUsage.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(DesktopUsage, OnlyTheFirstArgumentAsksForTheVersionOrTheHelp) {
  using Arguments = std::vector<std::string>;
  EXPECT_EQ(desktopStart(Arguments{"orvane"}), DesktopStart::OpenWindow);
  EXPECT_EQ(desktopStart(Arguments{"orvane", "--version"}), DesktopStart::PrintVersion);
  EXPECT_EQ(desktopStart(Arguments{"orvane", "--help"}), DesktopStart::PrintHelp);
  EXPECT_EQ(desktopStart(Arguments{"orvane", "movie.swf"}), DesktopStart::OpenWindow);
  // The first argument is the movie, even when a later one looks like an option.
  EXPECT_EQ(desktopStart(Arguments{"orvane", "movie.swf", "--version"}), DesktopStart::OpenWindow);
}

}  // namespace
}  // namespace orvane
