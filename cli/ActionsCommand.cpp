// The `actions` verb: the text an action window shows for one object or for all of them.
#include <optional>
#include <ostream>

#include "cli/DecimalArgument.h"
#include "cli/TranslationModeArgument.h"
#include "cli/Verbs.h"
#include "search/SearchableObjects.h"

namespace orvane {

namespace {

/// The frame action, button, sprite instance or ActionScript 3 object with that serial.
const MovieObject* actionObjectWithSerial(const ScanResult& result, std::uint32_t serial) {
  if (const MovieObject* action = result.findAction(serial, true)) return action;
  if (const MovieObject* button = result.findButton(serial, true)) return button;
  if (const MovieObject* instance = result.findInstance(serial, true)) return instance;
  return result.findAbcObject(serial, true);
}

}  // namespace

int runActions(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--serial=", "--all", "--mode="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 1) return context.usage("actions takes one movie");
  if (parsed.has("--serial") == parsed.has("--all")) return context.usage("actions needs either --serial N or --all");
  std::uint32_t serial = 0;
  if (parsed.has("--serial") && !parseDecimal(parsed.value("--serial"), serial))
    return context.usage("--serial takes a number");
  std::optional<TranslationMode> mode;
  if (parsed.has("--mode")) {
    mode = modeNamed(parsed.value("--mode"));
    if (!mode) return context.usage(kModeUsage);
  }

  ScanResult result;
  const ScanStatus status = context.scanMovie(parsed.positional[0], result);
  const TranslationMode shown = mode.value_or(initialMode(result.version));
  ObjectWindowTexts texts;
  if (parsed.has("--all")) {
    for (const SearchableObject& object : searchableObjects(result))
      context.out() << "=== " << object.object->describe(false) << "\n"
                    << texts.text(object.object, shown, context.sink());
  } else {
    const MovieObject* object = actionObjectWithSerial(result, serial);
    if (object == nullptr) {
      if (status == ScanStatus::Success)
        context.err() << "no frame action, button, sprite instance or ActionScript 3 object has serial " << serial
                      << "\n";
      return exitcode::kFailure;
    }
    context.out() << texts.text(object, shown, context.sink());
  }
  return status == ScanStatus::Success ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
