// Action texts written to files: one frame action, or all condition actions of one button.
#pragma once

#include <string>

#include "objects/ExtractionMode.h"

namespace orvane {

class ActionObject;
class ActionTextSource;
class ButtonObject;
class MessageSink;

/// A name the user chose for an action text, made to end in ".txt" (see normaliseChosenName).
std::string normaliseActionTextName(const std::string& chosen);

/// Writes the object's block rendered with its header in the form of `mode` to `path` as
/// text. An unknown mode shows "Error, invalid type action"; a file that cannot be written
/// shows "File Write Error" / "Error writing output file, Disk may be full or write
/// protected" when `showErrors` is set. True when the file was written.
[[nodiscard]] bool WriteActionText(const ActionObject* object, const std::string& path, ExtractionMode mode,
                                   bool showErrors, ActionTextSource& source, MessageSink& sink);

/// The same for all condition actions of a button (false without a button). An empty entry
/// in its condition list shows "Error, Null pointer referrenced in iteration of button
/// actions" when `showErrors` is set and writes nothing.
[[nodiscard]] bool WriteButtonActionText(const ButtonObject* button, const std::string& path, ExtractionMode mode,
                                         bool showErrors, ActionTextSource& source, MessageSink& sink);

}  // namespace orvane
