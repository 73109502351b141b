// Saving an action window's text: the proposed name, the ".txt" rule and the write.
#pragma once

#include <optional>
#include <string>

namespace orvane {

/// The display text of the shown object followed by ".txt", in lower case (ASCII).
std::string proposedTextFileName(const std::string& displayText);

/// The ".txt" rule for a chosen path: none for a path of at most one character; ".txt"
/// appended when the last four characters do not begin with "."; another three-letter
/// extension replaced by "txt"; a path ending in ".txt" (in any case) kept.
std::optional<std::string> withTxtExtension(const std::string& path);

/// Writes `text` to `path` as it is, replacing any file of that name; false when the file
/// cannot be created or written.
[[nodiscard]] bool writeTextFile(const std::string& path, const std::string& text);

}  // namespace orvane
