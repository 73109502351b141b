// Saving one image or sound object: its temporary object file copied to a name the user chose.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvane {

class MessageSink;

/// The window that saves: its failure message differs.
enum class ObjectWindow { Sound, Image };

/// The last four characters of a temporary object file's path, lower-cased (".jpg", ".wav"
/// or ".mp3").
std::string objectFileExtension(const std::string& tempPath);

/// The save dialog's only filter: "Object Type (" + extension + ")|*" + extension + "|".
std::string objectFileFilter(const std::string& extension);

/// A chosen name made to end in `extension`: a name of more than one character whose last
/// four characters (lower-cased) do not begin with "." gets `extension` appended; one whose
/// last four characters are a "." and three letters not in `known` gets them replaced by
/// `extension`; a name ending in a known extension is kept.
std::string normaliseChosenName(const std::string& chosen, const std::string& extension,
                                const std::vector<std::string>& known);

/// `SaveObjectFile`: copies the object file `tempPath` to `chosenName` normalised against
/// ".wav", ".jpg" and ".mp3", replacing an existing file. Returns the path written; on
/// failure shows "Error Coping File" (sound window) or "Error Coping File, Disk Could be
/// Full or Write Protected" (image window) and returns none. Saving a file onto itself
/// leaves it as it is.
std::optional<std::string> SaveObjectFile(const std::string& tempPath, const std::string& chosenName,
                                          ObjectWindow window, MessageSink& sink);

/// Copies `from` to `to`, replacing it; false when it could not be read or written
/// completely. A copy onto the file itself changes nothing and succeeds.
[[nodiscard]] bool copyObjectFile(const std::string& from, const std::string& to);

}  // namespace orvane
