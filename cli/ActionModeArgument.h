// The --mode option of the verbs that write action texts, and the translator they need.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/CliContext.h"
#include "objects/ActionTextSource.h"
#include "objects/ExtractionMode.h"

namespace orvane {

/// The mode named by --mode (ActionScript 5 when it is empty); none for another name.
inline std::optional<ExtractionMode> actionModeArgument(const std::string& value) {
  return value.empty() ? std::optional<ExtractionMode>(ExtractionMode::ActionScript5) : extractionModeFromName(value);
}

/// The translation engine's text source; none, with a message, in a build without it.
inline std::unique_ptr<ActionTextSource> actionTextSource(CliContext& context) {
  auto source = makeTranslatorTextSource(context.sink());
  if (!source) context.err() << "orvane-cli: action texts cannot be written: this build has no action translator\n";
  return source;
}

}  // namespace orvane
