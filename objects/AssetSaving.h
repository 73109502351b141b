// Saving one vector asset from its window: a picture as SVG or PNG, a font as its font file.
#pragma once

#include <optional>
#include <string>

namespace orvane {

class MessageSink;
struct FontFile;

/// Writes the SVG document `svg` to `chosenName` normalised against ".svg" and ".png"
/// (`extension` appended to a name without one): as it is for ".svg", drawn at its own
/// size for ".png". Returns the path written; none after showing why not ("The picture
/// could not be drawn: " and the reason, or "Error writing output file, Disk may be full
/// or write protected").
std::optional<std::string> saveAssetPicture(const std::string& svg, const std::string& chosenName,
                                            const std::string& extension, MessageSink& sink);

/// Writes the font file to `chosenName` normalised against its own extension (".ttf" or
/// ".otf"). A font without a file (DefineFont4 without its data) shows "This font holds no
/// font data to save" and writes nothing.
std::optional<std::string> saveFontFile(const FontFile& file, const std::string& chosenName, MessageSink& sink);

}  // namespace orvane
