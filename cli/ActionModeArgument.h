// The --mode option of the verbs that write action texts.
#pragma once

#include <optional>
#include <string>

#include "objects/ExtractionMode.h"

namespace orvane {

/// The usage line of a --mode that names none of them.
inline constexpr const char* kActionModeUsage = "--mode takes as5, as4, function, bytecode, source or asm";

/// The mode named by --mode (ActionScript 5 when it is empty); none for another name.
inline std::optional<ExtractionMode> actionModeArgument(const std::string& value) {
  return value.empty() ? std::optional<ExtractionMode>(ExtractionMode::ActionScript5) : extractionModeFromName(value);
}

}  // namespace orvane
