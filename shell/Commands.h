// The command tables of the main window and the action windows: ids, labels, shortcuts,
// status-bar texts and when each command is enabled.
#pragma once

#include <span>
#include <string>

namespace orvane {

enum class EnableRule {
  Always,
  MovieLoaded,
  ObjectWindowActive,
  ImageWindowActive,
  ActionWindowActive,
  MovieModified,  // blocks replaced in the loaded movie and not yet saved
};

struct CommandEntry {
  int id = 0;
  const char* label = "";
  const char* shortcut = "";  // empty: none
  const char* statusText = "";
  EnableRule rule = EnableRule::Always;
};

namespace cmd {
inline constexpr int kOpen = 1003;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 32796;
inline constexpr int kPreviewInBrowser = 32781;
inline constexpr int kExit = 57665;
inline constexpr int kExtractObject = 32780;
inline constexpr int kExtractAll = 32784;
inline constexpr int kReplaceImage = 32795;
inline constexpr int kEditMovieProperties = 1013;
inline constexpr int kRescan = 32786;
inline constexpr int kOptions = 32804;
inline constexpr int kToolbar = 59392;
inline constexpr int kStatusBar = 59393;
inline constexpr int kMovieObjects = 32798;
inline constexpr int kMovieProperties = 32797;
inline constexpr int kMoviePreview = 32799;
inline constexpr int kTile = 32802;
inline constexpr int kCascade = 32803;
inline constexpr int kMaximizeChild = 32778;
inline constexpr int kCloseAllChildren = 32777;
inline constexpr int kCopy = 57634;
inline constexpr int kHelpTopics = 57667;
inline constexpr int kAbout = 57664;
inline constexpr int kFind = 32830;
inline constexpr int kFindNext = 32831;
inline constexpr int kFindPrevious = 32832;
inline constexpr int kFindInMovie = 32833;
inline constexpr int kSearchResults = 32834;

inline constexpr int kByteCodeHex = 32771;
inline constexpr int kByteCodeCharacter = 32772;
inline constexpr int kByteCodeInteger = 32773;
inline constexpr int kFunctionCode = 32774;
inline constexpr int kActionScript4 = 32775;
inline constexpr int kActionScript5 = 32776;
inline constexpr int kSource = 32818;
inline constexpr int kAssembly = 32835;
inline constexpr int kSyntaxColors = 32800;
inline constexpr int kCopyScript = 32801;
inline constexpr int kSelectAll = 32817;
inline constexpr int kSaveAsFile = 32780;
inline constexpr int kPlay = 118;
inline constexpr int kStop = 119;
/// A morph shape window's animated SVG of the whole morph.
inline constexpr int kSaveAnimation = 32840;
/// An action window's Edit mode (in the Assembly mode) and its replacing of the block.
inline constexpr int kEditActions = 32841;
inline constexpr int kApplyActions = 32842;
}  // namespace cmd

/// The commands of the main window's menus and toolbars.
std::span<const CommandEntry> frameCommands();
/// The commands of the action windows' toolbar and "ActionContext" menu.
std::span<const CommandEntry> actionCommands();
/// The entry of `id` in `table`; none when it has no such command.
const CommandEntry* findCommand(std::span<const CommandEntry> table, int id);

/// The mode command a new action window is sent for a default translation mode: 10 to 15
/// give 32771 to 32776 in the order hex, character, integer, function code, version 4,
/// version 5, and 16 the source command; 17 (let the program decide) gives the source
/// command for movies of version 6 and later and for ActionScript 3 objects, and 0, no
/// command, for older ones, as does any other mode.
int modeCommandFor(int defaultTranslationMode, unsigned movieVersion, bool actionScript3 = false);

/// The file to open at start-up: the first argument after the program with every double
/// quotation mark removed; empty without an argument.
std::string pendingPathFromArguments(std::span<const std::string> arguments);

}  // namespace orvane
