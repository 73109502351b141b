#include "usage/DesktopUsage.h"

#include "usage/Version.h"

namespace orvane {

const ProgramHelp& desktopProgram() {
  static const ProgramHelp program{
      .name = "orvane",
      .version = kOrvaneVersion,
      .summary = "look inside Flash movies",
      .synopsis = "[MOVIE | --version | --help]",
      .description =
          "orvane opens a Flash movie (SWF, uncompressed or compressed with zlib or LZMA) in a window and lists "
          "what it holds: frame actions, init actions, buttons, sprite instances with clip actions, images, "
          "sounds, videos and ActionScript 3 classes and scripts, each in the timeline and frame it belongs to. "
          "Selecting an object opens its window: action blocks as byte code, function code, ActionScript 4 or 5 "
          "or decompiled source; images shown, saved and replaced; sounds described and played.\n\n"
          "A MOVIE ending in .exe is searched for the movies a projector carries, and the one chosen is opened. "
          "Without a MOVIE the window opens empty; File > Open opens one later. The command-line tool "
          "orvane-cli(1) prints what the windows show, without a display.",
      .operands = {{"MOVIE", ValueKind::File}},
      .options = {{"--version", "", "print the version and exit, without opening a window"},
                  {"--help", "", "print the command line and exit, without opening a window"}},
      .examples = {{"orvane game.swf", "Open a movie."},
                   {"orvane projector.exe", "List the movies inside a projector and open one of them."}},
      .exitStatus = "0 when the window is closed, and after --version and --help; 1 when there is no display "
                    "to show the window on.",
      .environment =
          {{"DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM",
            "the display to show the window on; without any of them orvane says so and exits with 1"},
           {"XDG_CONFIG_HOME", "the settings and the window layout are kept in $XDG_CONFIG_HOME/orvane/ "
                               "(default ~/.config/orvane/)"},
           {"TMPDIR", "the temporary object files go into the private folder $TMPDIR/orvane-UID (default "
                      "/tmp/orvane-UID), which orvane refuses to use when it is a symbolic link or owned by "
                      "someone else"},
           {"QTWEBENGINE_DISABLE_SANDBOX",
            "set to 1 to run as root: the movie preview's browser engine cannot sandbox itself there"}},
      .files = {{"~/.config/orvane/sys2-6lumo.ini", "the settings: the scan flags, the advanced display "
                                                     "options, the translation mode and the syntax colours"}},
      .seeAlso = {"orvane-cli(1)"},
  };
  return program;
}

DesktopStart desktopStart(std::span<const std::string> arguments) {
  if (arguments.size() < 2) return DesktopStart::OpenWindow;
  if (arguments[1] == "--version") return DesktopStart::PrintVersion;
  if (arguments[1] == "--help") return DesktopStart::PrintHelp;
  return DesktopStart::OpenWindow;
}

}  // namespace orvane
