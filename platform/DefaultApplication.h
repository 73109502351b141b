// The desktop's default applications: the browser for text/html and the program that
// opens a given file, found through the freedesktop MIME database and desktop entries.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ProcessLauncher.h"

namespace orvane {

/// The value of an Exec= line cut where its first field code (%u, %U, %f or %F) begins;
/// a field code in double quotation marks is cut at its opening mark. Without a field
/// code the value is kept whole. "%%" is a literal percent sign, not a field code.
std::string cutAtFieldCode(const std::string& exec);

/// Splits an Exec= value into words: blanks separate words, double quotation marks group
/// them, and inside quotation marks a backslash takes the next character literally. A
/// word that is a field code of its own (such as %i or %c) is dropped and "%%" becomes
/// "%". None when a quotation mark is left open.
std::optional<std::vector<std::string>> splitExecLine(const std::string& exec);

/// The Exec= value of the [Desktop Entry] group of a desktop entry file, with the file's
/// escapes (\s, \n, \t, \r, \\) resolved; none when the group has no Exec= key.
std::optional<std::string> desktopEntryExec(const std::string& text);

/// $XDG_DATA_HOME/applications (default ~/.local/share/applications), then
/// <dir>/applications for each folder of $XDG_DATA_DIRS (default /usr/local/share:/usr/share).
std::vector<std::string> applicationFolders();

/// The desktop entry with that id in the first folder of `folders` that holds it, also in
/// a sub-folder (each "-" of the id may stand for a "/"); none when no folder holds it or
/// `id` is not a plain file name.
std::optional<std::string> findDesktopEntry(const std::string& id, const std::vector<std::string>& folders);

/// The program and its leading arguments that open files of `mimeType` by default
/// (asked of xdg-mime, looked up in `folders`); empty when none can be found.
std::vector<std::string> defaultApplicationCommand(const std::string& mimeType, ProgramLauncher& launcher,
                                                   const std::vector<std::string>& folders);

/// Starts the default web browser on `path`, which follows the browser's own arguments as
/// one argument. Non-zero when a program was started, 0 when there is no default browser
/// or it could not be started.
int OpenWithDefaultBrowser(const std::string& path, ProgramLauncher& launcher);

/// Hands `path` to the desktop's opener (xdg-open); false when that could not be started.
[[nodiscard]] bool openWithDefaultProgram(const std::string& path, ProgramLauncher& launcher);

}  // namespace orvane
