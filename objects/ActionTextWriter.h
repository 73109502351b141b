// Action texts written to files: one frame action, all condition actions of one button, or
// one ActionScript 3 script or class.
#pragma once

#include <optional>
#include <string>

#include "actions/TranslationMode.h"
#include "objects/ExtractionMode.h"

namespace orvane {

class AbcObject;
class AbcTexts;
class ActionObject;
class ButtonObject;
class MessageSink;

/// A name the user chose for an action text, made to end in ".txt" (see normaliseChosenName),
/// or in ".as" for the source.
std::string normaliseActionTextName(const std::string& chosen, ExtractionMode mode = ExtractionMode::ActionScript5);

/// The translation mode of an extraction mode: byte code in hex, function code,
/// ActionScript 4 or 5, the source or the assembly; none for a number outside them.
std::optional<TranslationMode> translationModeOf(ExtractionMode mode);

/// Writes the object's block translated with its header in the form of `mode` to `path` as
/// text. An unknown mode shows "Error, invalid type action"; a file that cannot be written
/// shows "File Write Error" / "Error writing output file, Disk may be full or write
/// protected" when `showErrors` is set. The translator's own messages go to `sink`. True
/// when the file was written.
[[nodiscard]] bool WriteActionText(const ActionObject* object, const std::string& path, ExtractionMode mode,
                                   bool showErrors, MessageSink& sink);

/// The same for all condition actions of a button (false without a button), laid out as
/// on-blocks under the short header "Translate To Action Script". An empty entry in its
/// condition list shows "Error, Null pointer referrenced in iteration of button
/// actions" when `showErrors` is set and writes nothing.
[[nodiscard]] bool WriteButtonActionText(const ButtonObject* button, const std::string& path, ExtractionMode mode,
                                         bool showErrors, MessageSink& sink);

/// The text the window of an ActionScript 3 script or class shows in the translation mode of
/// `mode` (the bytes of its bodies for byte code, else its outline with the listings),
/// written as `WriteActionText` writes, with the same failure message. `texts` reads the
/// object's block (once for a run over the objects of one tag).
[[nodiscard]] bool WriteAbcText(const AbcObject& object, AbcTexts& texts, const std::string& path, ExtractionMode mode,
                                bool showErrors, MessageSink& sink);

}  // namespace orvane
