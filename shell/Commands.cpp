#include "shell/Commands.h"

#include <algorithm>
#include <array>

namespace orvane {

namespace {

using enum EnableRule;

constexpr std::array kFrameCommands = {
    CommandEntry{cmd::kOpen, "&Open...", "Ctrl+O", "Open a movie or a projector", Always},
    CommandEntry{cmd::kSave, "&Save", "Ctrl+S", "Save the edited movie in its file", MovieModified},
    CommandEntry{cmd::kSaveAs, "Save As...", "", "Save the movie under a new name", Always},
    CommandEntry{cmd::kPreviewInBrowser, "Preview SWF File in Browser...", "",
                "Show the movie in the default web browser", MovieLoaded},
    CommandEntry{cmd::kExit, "E&xit", "", "Quit the application", Always},
    CommandEntry{cmd::kExtractObject, "Extract Object", "", "Save the object of the active window", ObjectWindowActive},
    CommandEntry{cmd::kExtractAll, "Extract All Objects", "", "Extract every object into a folder", MovieLoaded},
    CommandEntry{cmd::kReplaceImage, "Replace Image", "", "Replace the image of the active window", ImageWindowActive},
    CommandEntry{cmd::kEditMovieProperties, "Edit Movie Properties", "",
                "Change the movie's width, height and frame rate", MovieLoaded},
    CommandEntry{cmd::kRescan, "ReScan File", "", "Scan the movie again", MovieLoaded},
    CommandEntry{cmd::kOptions, "Options...", "", "Change the scan and display options", Always},
    CommandEntry{cmd::kToolbar, "&Toolbar", "", "Show or hide the toolbar", Always},
    CommandEntry{cmd::kStatusBar, "&Status Bar", "", "Show or hide the status bar", Always},
    CommandEntry{cmd::kMovieObjects, "Movie Objects", "", "Show or hide the movie objects panel", Always},
    CommandEntry{cmd::kMovieProperties, "Movie Properties", "", "Show or hide the movie properties panel", Always},
    CommandEntry{cmd::kMoviePreview, "Movie Preview", "", "Show or hide the movie preview panel", Always},
    CommandEntry{cmd::kTile, "Tile Windows", "", "Tile the object windows", Always},
    CommandEntry{cmd::kCascade, "Cascade Windows", "", "Cascade the object windows", Always},
    CommandEntry{cmd::kMaximizeChild, "Maximize Child Window", "", "Maximise the active object window", Always},
    CommandEntry{cmd::kCloseAllChildren, "Close All Child Windows", "", "Close every object window", Always},
    CommandEntry{cmd::kCopy, "&Copy", "Ctrl+C", "Copy Script To Clip Board", Always},
    CommandEntry{cmd::kFind, "&Find...", "Ctrl+F", "Find text in the active action window", ActionWindowActive},
    CommandEntry{cmd::kFindNext, "Find Next", "F3", "Go to the next match", ActionWindowActive},
    CommandEntry{cmd::kFindPrevious, "Find Previous", "Shift+F3", "Go to the previous match", ActionWindowActive},
    CommandEntry{cmd::kFindInMovie, "Find in Movie...", "Ctrl+Shift+F", "Search the actions of every object",
                 MovieLoaded},
    CommandEntry{cmd::kSearchResults, "Search Results", "", "Show or hide the search results panel", Always},
    CommandEntry{cmd::kHelpTopics, "&Help Topics", "", "Show the user guide", Always},
    CommandEntry{cmd::kAbout, "&About Orvane...", "", "Show the program's version", Always},
};

constexpr std::array kActionCommands = {
    CommandEntry{cmd::kCopyScript, "Copy", "", "Copy Script To Clip Board", Always},
    CommandEntry{cmd::kSelectAll, "Select All", "", "Select All Text", Always},
    CommandEntry{cmd::kSaveAsFile, "Save As File...", "", "Extract Object", Always},
    CommandEntry{cmd::kSyntaxColors, "Syntax Colors...", "", "Change Text Colors", Always},
    CommandEntry{cmd::kByteCodeHex, "Byte Code Hex", "", "Translate To Byte Code - Hex Mode", Always},
    CommandEntry{cmd::kByteCodeInteger, "Byte Code Integer", "", "Translate To Byte Code - Interger Mode", Always},
    CommandEntry{cmd::kByteCodeCharacter, "Byte Code Character", "", "Translate To Byte Code - Character Mode", Always},
    CommandEntry{cmd::kFunctionCode, "Function Code", "", "Translate To Function Code", Always},
    CommandEntry{cmd::kActionScript4, "Action Script V4", "", "Translate To SWF Version 4 ActionScript", Always},
    CommandEntry{cmd::kActionScript5, "Action Script V5", "", "Translate To SWF Version 5 ActionScript", Always},
    CommandEntry{cmd::kSource, "Source", "", "Translate To Decompiled ActionScript Source", Always},
    CommandEntry{cmd::kAssembly, "Assembly", "", "Translate To Assembly", Always},
    CommandEntry{cmd::kEditActions, "Edit", "", "Edit The Assembly Text", Always},
    CommandEntry{cmd::kApplyActions, "Apply", "", "Replace The Block In The Loaded Movie", Always},
};

}  // namespace

std::span<const CommandEntry> frameCommands() { return kFrameCommands; }
std::span<const CommandEntry> actionCommands() { return kActionCommands; }

const CommandEntry* findCommand(std::span<const CommandEntry> table, int id) {
  const auto found = std::find_if(table.begin(), table.end(), [id](const CommandEntry& entry) { return entry.id == id; });
  return found == table.end() ? nullptr : &*found;
}

int modeCommandFor(int defaultTranslationMode, unsigned movieVersion, bool actionScript3) {
  if (defaultTranslationMode == 16 || (defaultTranslationMode == 17 && (movieVersion >= 6 || actionScript3)))
    return cmd::kSource;
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
