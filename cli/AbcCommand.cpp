// The `abc` verb: everything the ABC tags of a movie hold, or the classes of one name.
#include <ostream>

#include "abc/AbcObjectText.h"
#include "abcsource/AbcTexts.h"
#include "cli/Verbs.h"

namespace orvane {

namespace {

/// The qualified name, or the name alone (the part after the last "::").
bool classNamed(const AbcObject& object, const std::string& name) {
  if (object.kind != AbcObject::Kind::Class) return false;
  if (object.className == name) return true;
  const std::size_t separator = object.className.rfind("::");
  return separator != std::string::npos && object.className.compare(separator + 2, std::string::npos, name) == 0;
}

}  // namespace

int runAbc(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--class="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 1) return context.usage("abc takes one movie");

  ScanResult result;
  if (context.scanMovie(parsed.positional[0], result) != ScanStatus::Success) return exitcode::kFailure;
  bool found = false;
  if (parsed.has("--class")) {
    const std::string name = parsed.value("--class");
    AbcTexts texts;
    for (const auto& timeline : result.timelines()) {
      for (const auto& object : timeline->abcObjects) {
        if (!classNamed(*object, name)) continue;
        context.out() << "=== " << object->describe(false) << "\n"
                      << texts.windowText(*object, TranslationMode::ActionScript5);
        found = true;
      }
    }
    if (!found) context.err() << "orvane-cli: no class is named " << name << "\n";
  } else {
    for (const auto& timeline : result.timelines()) {
      for (const auto& tag : timeline->abcTags) {
        AbcTagTexts(*tag).writeEverything(context.out());
        found = true;
      }
    }
    if (!found) context.err() << "orvane-cli: the movie has no DoABC or DoABC1 tag\n";
  }
  return found ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
