// The object windows' "Save As": asks for a name in the object's own file type, then saves
// the object's temporary file under it.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "objects/ObjectSaving.h"

class QWidget;

namespace orvane {

class MessageSink;
class ShellPrompts;

/// The save dialog's filter for a temporary object file: "Object Type (.jpg) (*.jpg)".
QString objectSaveFilter(const std::string& tempPath);

/// Asks `prompts` for a name (no proposal) and runs `SaveObjectFile` on it. The path
/// written; none when cancelled or when the copy failed (its message already shown).
std::optional<std::string> saveObjectAs(QWidget* parent, ShellPrompts& prompts, MessageSink& messages,
                                        const std::string& tempPath, ObjectWindow window);

}  // namespace orvane
