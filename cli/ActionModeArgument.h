// The --mode option of the verbs that write action texts.
#pragma once

#include <optional>
#include <string>

#include "objects/ExtractionMode.h"

namespace orvane {

/// The mode named by --mode (ActionScript 5 when it is empty); none for another name.
inline std::optional<ExtractionMode> actionModeArgument(const std::string& value) {
  return value.empty() ? std::optional<ExtractionMode>(ExtractionMode::ActionScript5) : extractionModeFromName(value);
}

}  // namespace orvane
