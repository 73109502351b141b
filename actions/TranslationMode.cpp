#include "actions/TranslationMode.h"

namespace orvane {

std::string_view modeMenuText(TranslationMode mode) {
  switch (mode) {
    case TranslationMode::ByteCodeHex:
      return "Byte Code Hex";
    case TranslationMode::ByteCodeInteger:
      return "Byte Code Integer";
    case TranslationMode::ByteCodeCharacter:
      return "Byte Code Character";
    case TranslationMode::FunctionCode:
      return "Function Code";
    case TranslationMode::ActionScript4:
      return "Action Script V4";
    case TranslationMode::ActionScript5:
      return "Action Script V5";
    case TranslationMode::Source:
      return "Source";
    case TranslationMode::Assembly:
      return "Assembly";
  }
  return "";
}

std::string_view modeStatusPrompt(TranslationMode mode) {
  switch (mode) {
    case TranslationMode::ByteCodeHex:
      return "Translate To Byte Code - Hex Mode";
    case TranslationMode::ByteCodeInteger:
      return "Translate To Byte Code - Interger Mode";
    case TranslationMode::ByteCodeCharacter:
      return "Translate To Byte Code - Character Mode";
    case TranslationMode::FunctionCode:
      return "Translate To Function Code";
    case TranslationMode::ActionScript4:
      return "Translate To SWF Version 4 ActionScript";
    case TranslationMode::ActionScript5:
      return "Translate To SWF Version 5 ActionScript";
    case TranslationMode::Source:
      return "Translate To Decompiled ActionScript Source";
    case TranslationMode::Assembly:
      return "Translate To Assembly";
  }
  return "";
}

std::optional<int> modeScriptVersion(TranslationMode mode) {
  if (mode == TranslationMode::ActionScript4) return 4;
  if (mode == TranslationMode::ActionScript5) return 5;
  return std::nullopt;
}

TranslationMode initialMode(unsigned movieVersion) {
  return movieVersion == 5 ? TranslationMode::ActionScript5 : TranslationMode::ActionScript4;
}

}  // namespace orvane
