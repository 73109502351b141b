// The desktop program answers --version and --help on the terminal, without a display and
// without opening a window.
#include <gtest/gtest.h>

#include "tests/support/ShellCommand.h"

namespace orvane {
namespace {

std::string withoutDisplay(const std::string& arguments) {
  return "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + test::shellQuoted(ORVANE_DESKTOP_PROGRAM) + " " +
         arguments;
}

TEST(DesktopCommandLine, VersionAndHelpNeedNoDisplay) {
  const test::CommandOutput version = test::runCommand(withoutDisplay("--version"));
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output, std::string("orvane ") + ORVANE_PROJECT_VERSION + "\n");
  const test::CommandOutput help = test::runCommand(withoutDisplay("--help"));
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.output.rfind("usage: orvane [MOVIE | --version | --help]\n", 0), 0u) << help.output;
  EXPECT_NE(help.output.find("\n  --version\n"), std::string::npos) << help.output;
  // Anything else still wants a display.
  const test::CommandOutput movie = test::runCommand(withoutDisplay("movie.swf"));
  EXPECT_NE(movie.status, 0);
  EXPECT_NE(movie.output.find("no display"), std::string::npos) << movie.output;
}

}  // namespace
}  // namespace orvane
