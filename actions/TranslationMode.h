// The output modes of an action translation and the texts an action window shows for them:
// the six specified modes, the decompiled source and the editable assembly.
#pragma once

#include <optional>
#include <string_view>

namespace orvane {

enum class TranslationMode {
  ByteCodeHex,
  ByteCodeInteger,
  ByteCodeCharacter,
  FunctionCode,
  ActionScript4,
  ActionScript5,
  /// The decompiled script as its author wrote it (mode 16 of the settings).
  Source,
  /// The records as an assembly text that assembles back into the same bytes.
  Assembly,
};

/// The window's menu text, such as "Byte Code Hex".
std::string_view modeMenuText(TranslationMode mode);
/// The window's status-bar prompt, such as "Translate To Byte Code - Hex Mode".
std::string_view modeStatusPrompt(TranslationMode mode);
/// The ActionScript version of the mode; none for the byte-code and function-code modes.
std::optional<int> modeScriptVersion(TranslationMode mode);
/// The mode an action window starts in for a movie of this version: ActionScript 5 for
/// exactly 5, else ActionScript 4.
TranslationMode initialMode(unsigned movieVersion);

}  // namespace orvane
