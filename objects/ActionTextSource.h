// Where the extraction commands get the texts of action blocks: the translation engine.
#pragma once

#include <memory>
#include <string>

#include "objects/ExtractionMode.h"

namespace orvane {

class ActionObject;
class ButtonObject;
class MessageSink;

/// The two translations that extracted action texts are made of. Callers pass known modes
/// only and buttons without empty entries in their condition list.
class ActionTextSource {
 public:
  virtual ~ActionTextSource() = default;

  /// The object's action block rendered with its header in the form of `mode`.
  virtual std::string actionText(const ActionObject& object, ExtractionMode mode) = 0;

  /// A button laid out as the action-script file writer does: the short header for
  /// "Translate To Action Script" and a line feed, then per condition action "on (" + its
  /// event names + ") {\n", the tab-indented block without header in the form of `mode`,
  /// and "}\n\n".
  virtual std::string buttonActionText(const ButtonObject& button, ExtractionMode mode) = 0;
};

/// The source backed by the translation engine, reporting its messages to `sink`; none in a
/// build without the engine.
std::unique_ptr<ActionTextSource> makeTranslatorTextSource(MessageSink& sink);

}  // namespace orvane
