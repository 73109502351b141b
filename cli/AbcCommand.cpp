// The `abc` verb: everything the ABC tags of a movie hold, the classes of one name, or one
// method body of such a class in the form replace-method reads back.
#include <ostream>

#include "abc/AbcDisassembly.h"
#include "abc/AbcMethodLookup.h"
#include "abc/AbcObjectText.h"
#include "abc/AbcObjects.h"
#include "abc/AbcParser.h"
#include "abc/AbcPoolTexts.h"
#include "abcsource/AbcTexts.h"
#include "cli/Verbs.h"

namespace orvane {

namespace {

/// The body of the method of every class of that name, each after "// " and the class's
/// display name; false (reason printed) when a class has no such method with a body.
bool writeMethodBodies(CliContext& context, const ScanResult& result, const std::string& className,
                       const std::string& method, bool& found) {
  for (const auto& timeline : result.timelines()) {
    for (const auto& object : timeline->abcObjects) {
      if (!isClassNamed(*object, className) || object->tag == nullptr) continue;
      found = true;
      const AbcFile file = parseAbc(object->tag->block);
      AbcNames names(file);
      AbcMethodMatch match;
      std::string error;
      if (!findClassMethod(file, names, object->index, method, match, error)) {
        context.err() << "orvane-cli: " << error << "\n";
        return false;
      }
      if (match.body < 0) {
        context.err() << "orvane-cli: the method " << method << " has no body\n";
        return false;
      }
      AbcPoolTexts texts(file, names);
      std::string text;
      appendBodyAssembly(text, file, names, texts, static_cast<std::uint32_t>(match.body));
      // A comment line, so that the text goes to replace-method as it is.
      context.out() << "// " << object->describe(false) << "\n" << text;
    }
  }
  return true;
}

}  // namespace

int runAbc(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--class=", "--method="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 1) return context.usage("abc takes one movie");
  if (parsed.has("--method") && !parsed.has("--class")) return context.usage("--method needs --class");

  ScanResult result;
  if (context.scanMovie(parsed.positional[0], result) != ScanStatus::Success) return exitcode::kFailure;
  bool found = false;
  if (parsed.has("--method")) {
    if (!writeMethodBodies(context, result, parsed.value("--class"), parsed.value("--method"), found))
      return exitcode::kFailure;
    if (!found) context.err() << "orvane-cli: no class is named " << parsed.value("--class") << "\n";
  } else if (parsed.has("--class")) {
    const std::string name = parsed.value("--class");
    AbcTexts texts;
    for (const auto& timeline : result.timelines()) {
      for (const auto& object : timeline->abcObjects) {
        if (!isClassNamed(*object, name)) continue;
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
