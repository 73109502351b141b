#include "objects/ActionTextWriter.h"

#include <algorithm>

#include "abcsource/AbcTexts.h"
#include "actions/ActionTranslator.h"
#include "movie/MovieObject.h"
#include "objects/ObjectSaving.h"
#include "platform/FileTools.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

/// The mode, or none after showing "Error, invalid type action".
std::optional<TranslationMode> knownMode(ExtractionMode mode, MessageSink& sink) {
  const auto translation = translationModeOf(mode);
  if (!translation) sink.show({"", "Error, invalid type action", MessageIcon::Error});
  return translation;
}

bool writeText(const std::string& path, const std::string& text, bool showErrors, MessageSink& sink) {
  FileHandle file = openFile(path, "w");
  bool written = file && std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  written = closeFile(file) && written;
  if (!written && showErrors)
    sink.show({"File Write Error", "Error writing output file, Disk may be full or write protected",
               MessageIcon::Error});
  return written;
}

}  // namespace

std::optional<TranslationMode> translationModeOf(ExtractionMode mode) {
  switch (mode) {
    case ExtractionMode::ByteCode: return TranslationMode::ByteCodeHex;
    case ExtractionMode::InstructionCode: return TranslationMode::FunctionCode;
    case ExtractionMode::ActionScript4: return TranslationMode::ActionScript4;
    case ExtractionMode::ActionScript5: return TranslationMode::ActionScript5;
    case ExtractionMode::Source: return TranslationMode::Source;
    case ExtractionMode::Assembly: return TranslationMode::Assembly;
  }
  return std::nullopt;
}

std::string normaliseActionTextName(const std::string& chosen, ExtractionMode mode) {
  if (mode != ExtractionMode::Source) return normaliseChosenName(chosen, ".txt", {".txt"});
  // ".as" is shorter than the four-character extensions the rule above is made for.
  return chosen.ends_with(".as") ? chosen : chosen + ".as";
}

bool WriteActionText(const ActionObject* object, const std::string& path, ExtractionMode mode, bool showErrors,
                     MessageSink& sink) {
  if (object == nullptr) return false;
  const auto translation = knownMode(mode, sink);
  if (!translation) return false;
  ActionTranslator translator(sink);
  translator.SetSource(object);
  return writeText(path, translator.Listing(*translation, true), showErrors, sink);
}

bool WriteButtonActionText(const ButtonObject* button, const std::string& path, ExtractionMode mode,
                           bool showErrors, MessageSink& sink) {
  if (button == nullptr) return false;
  const auto& conditions = button->conditionActions;
  if (std::any_of(conditions.begin(), conditions.end(), [](const auto& entry) { return entry == nullptr; })) {
    if (showErrors)
      sink.show({"", "Error, Null pointer referrenced in iteration of button actions", MessageIcon::Error});
    return false;
  }
  const auto translation = knownMode(mode, sink);
  if (!translation) return false;
  ActionTranslator translator(sink);
  const auto text = translator.ConditionBlockListing(*button, *translation, ConditionLayout::ScriptFile);
  return text && writeText(path, *text, showErrors, sink);
}

bool WriteAbcText(const AbcObject& object, AbcTexts& texts, const std::string& path, ExtractionMode mode,
                  bool showErrors, MessageSink& sink) {
  const auto translation = knownMode(mode, sink);
  if (!translation) return false;
  return writeText(path, texts.windowText(object, *translation), showErrors, sink);
}

}  // namespace orvane
