// The --mode option of the verbs that print action texts in a translation mode.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "actions/TranslationMode.h"

namespace orvane {

struct NamedMode {
  const char* name;
  TranslationMode mode;
};

inline constexpr std::array<NamedMode, 8> kNamedModes = {{
    {"hex", TranslationMode::ByteCodeHex},
    {"char", TranslationMode::ByteCodeCharacter},
    {"int", TranslationMode::ByteCodeInteger},
    {"function", TranslationMode::FunctionCode},
    {"as4", TranslationMode::ActionScript4},
    {"as5", TranslationMode::ActionScript5},
    {"source", TranslationMode::Source},
    {"asm", TranslationMode::Assembly},
}};

/// The usage line of a --mode that names none of them.
inline constexpr const char* kModeUsage = "--mode takes hex, char, int, function, as4, as5, source or asm";

inline std::optional<TranslationMode> modeNamed(const std::string& name) {
  for (const NamedMode& named : kNamedModes)
    if (name == named.name) return named.mode;
  return std::nullopt;
}

}  // namespace orvane
