#include "objects/ActionTextWriter.h"

#include <algorithm>

#include "movie/MovieObject.h"
#include "objects/ActionTextSource.h"
#include "objects/ObjectSaving.h"
#include "platform/FileTools.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

bool refuseUnknownMode(ExtractionMode mode, MessageSink& sink) {
  if (isKnownExtractionMode(mode)) return false;
  sink.show({"", "Error, invalid type action", MessageIcon::Error});
  return true;
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

std::string normaliseActionTextName(const std::string& chosen) { return normaliseChosenName(chosen, ".txt", {".txt"}); }

bool WriteActionText(const ActionObject* object, const std::string& path, ExtractionMode mode, bool showErrors,
                     ActionTextSource& source, MessageSink& sink) {
  if (object == nullptr || refuseUnknownMode(mode, sink)) return false;
  return writeText(path, source.actionText(*object, mode), showErrors, sink);
}

bool WriteButtonActionText(const ButtonObject* button, const std::string& path, ExtractionMode mode,
                           bool showErrors, ActionTextSource& source, MessageSink& sink) {
  if (button == nullptr) return false;
  const auto& conditions = button->conditionActions;
  if (std::any_of(conditions.begin(), conditions.end(), [](const auto& entry) { return entry == nullptr; })) {
    if (showErrors)
      sink.show({"", "Error, Null pointer referrenced in iteration of button actions", MessageIcon::Error});
    return false;
  }
  if (refuseUnknownMode(mode, sink)) return false;
  return writeText(path, source.buttonActionText(*button, mode), showErrors, sink);
}

}  // namespace orvane
