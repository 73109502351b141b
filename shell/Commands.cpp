#include "shell/Commands.h"

#include <algorithm>
#include <array>

namespace orvane {

namespace {

using enum EnableRule;

constexpr std::array kFrameCommands = {
    CommandSpec{cmd::kOpen, "&Open...", "Ctrl+O", "Open a movie or a projector", Always},
    CommandSpec{cmd::kSaveAs, "Save As...", "", "Save the movie under a new name", Always},
    CommandSpec{cmd::kPreviewInBrowser, "Preview SWF File in Browser...", "",
                "Show the movie in the default web browser", MovieLoaded},
    CommandSpec{cmd::kExit, "E&xit", "", "Quit the application", Always},
    CommandSpec{cmd::kExtractObject, "Extract Object", "", "Save the object of the active window", ObjectWindowActive},
    CommandSpec{cmd::kExtractAll, "Extract All Objects", "", "Extract every object into a folder", MovieLoaded},
    CommandSpec{cmd::kReplaceImage, "Replace Image", "", "Replace the image of the active window", ImageWindowActive},
    CommandSpec{cmd::kEditMovieProperties, "Edit Movie Properties", "",
                "Change the movie's width, height and frame rate", MovieLoaded},
    CommandSpec{cmd::kRescan, "ReScan File", "", "Scan the movie again", MovieLoaded},
    CommandSpec{cmd::kOptions, "Options...", "", "Change the scan and display options", Always},
    CommandSpec{cmd::kToolbar, "&Toolbar", "", "Show or hide the toolbar", Always},
    CommandSpec{cmd::kStatusBar, "&Status Bar", "", "Show or hide the status bar", Always},
    CommandSpec{cmd::kMovieObjects, "Movie Objects", "", "Show or hide the movie objects panel", Always},
    CommandSpec{cmd::kMovieProperties, "Movie Properties", "", "Show or hide the movie properties panel", Always},
    CommandSpec{cmd::kMoviePreview, "Movie Preview", "", "Show or hide the movie preview panel", Always},
    CommandSpec{cmd::kTile, "Tile Windows", "", "Tile the object windows", Always},
    CommandSpec{cmd::kCascade, "Cascade Windows", "", "Cascade the object windows", Always},
    CommandSpec{cmd::kMaximizeChild, "Maximize Child Window", "", "Maximise the active object window", Always},
    CommandSpec{cmd::kCloseAllChildren, "Close All Child Windows", "", "Close every object window", Always},
    CommandSpec{cmd::kCopy, "&Copy", "Ctrl+C", "Copy Script To Clip Board", Always},
    CommandSpec{cmd::kHelpTopics, "&Help Topics", "", "Show the user guide", Always},
    CommandSpec{cmd::kAbout, "&About Orvane...", "", "Show the program's version", Always},
};

constexpr std::array kActionCommands = {
    CommandSpec{cmd::kCopyScript, "Copy", "", "Copy Script To Clip Board", Always},
    CommandSpec{cmd::kSelectAll, "Select All", "", "Select All Text", Always},
    CommandSpec{cmd::kSaveAsFile, "Save As File...", "", "Extract Object", Always},
    CommandSpec{cmd::kSyntaxColors, "Syntax Colors...", "", "Change Text Colors", Always},
    CommandSpec{cmd::kByteCodeHex, "Byte Code Hex", "", "Translate To Byte Code - Hex Mode", Always},
    CommandSpec{cmd::kByteCodeInteger, "Byte Code Integer", "", "Translate To Byte Code - Interger Mode", Always},
    CommandSpec{cmd::kByteCodeCharacter, "Byte Code Character", "", "Translate To Byte Code - Character Mode", Always},
    CommandSpec{cmd::kFunctionCode, "Function Code", "", "Translate To Function Code", Always},
    CommandSpec{cmd::kActionScript4, "Action Script V4", "", "Translate To SWF Version 4 ActionScript", Always},
    CommandSpec{cmd::kActionScript5, "Action Script V5", "", "Translate To SWF Version 5 ActionScript", Always},
};

}  // namespace

std::span<const CommandSpec> frameCommands() { return kFrameCommands; }
std::span<const CommandSpec> actionCommands() { return kActionCommands; }

const CommandSpec* findCommand(std::span<const CommandSpec> table, int id) {
  const auto found = std::find_if(table.begin(), table.end(), [id](const CommandSpec& spec) { return spec.id == id; });
  return found == table.end() ? nullptr : &*found;
}

int modeCommandFor(int defaultTranslationMode) {
  if (defaultTranslationMode < 10 || defaultTranslationMode > 15) return 0;
  return cmd::kByteCodeHex + (defaultTranslationMode - 10);
}

std::string pendingPathFromArguments(std::span<const std::string> arguments) {
  if (arguments.size() < 2) return {};
  std::string path = arguments[1];
  std::erase(path, '"');
  // The command line's "no file" value.
  return path == "none" ? std::string{} : path;
}

}  // namespace orvane
