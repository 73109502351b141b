// The `replace-actions` verb: one object's actions replaced by an assembly text, the movie
// written to OUT or back in its place.
#include <ostream>

#include "cli/AssemblyErrorText.h"
#include "cli/EditedMovie.h"
#include "cli/DecimalArgument.h"
#include "cli/Verbs.h"
#include "objects/ActionReplacement.h"

namespace orvane {

namespace {

/// The frame action, init action, button or sprite instance with that serial.
const MovieObject* replaceableObject(const ScanResult& result, std::uint32_t serial) {
  if (const MovieObject* action = result.findAction(serial, true)) return action;
  if (const MovieObject* button = result.findButton(serial, true)) return button;
  return result.findInstance(serial, true);
}

}  // namespace

int runReplaceActions(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--serial="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() < 2 || parsed.positional.size() > 3 || !parsed.has("--serial"))
    return context.usage("replace-actions takes MOVIE --serial N IN.txt [OUT]");
  std::uint32_t serial = 0;
  if (!parseDecimal(parsed.value("--serial"), serial)) return context.usage("--serial takes a number");
  const std::string& moviePath = parsed.positional[0];
  const std::string& textPath = parsed.positional[1];
  const std::string& outPath = parsed.positional.size() == 3 ? parsed.positional[2] : moviePath;

  const std::optional<std::string> text = readEditText(context, textPath);
  if (!text) return exitcode::kFailure;
  ScanResult result;
  if (context.scanMovie(moviePath, result) != ScanStatus::Success) return exitcode::kFailure;
  const MovieObject* object = replaceableObject(result, serial);
  if (object == nullptr) {
    context.err() << "orvane-cli: no frame action, init action, button or sprite instance has serial " << serial
                  << (result.findAbcObject(serial, true) != nullptr ? " (ActionScript 3 goes to replace-method)" : "")
                  << "\n";
    return exitcode::kFailure;
  }
  std::vector<std::uint8_t> edited;
  AssemblyError fault;
  if (!replaceActionsInImage(context.scannedMovie().movie, result, *object, *text, edited, fault)) {
    context.err() << assemblyErrorText(textPath, fault) << "\n";
    return exitcode::kFailure;
  }
  return writeEditedMovie(context, outPath, edited, result.compression);
}

}  // namespace orvane
