#include <ostream>

#include "abcsource/AbcTexts.h"
#include "cli/ActionModeArgument.h"
#include "cli/DecimalArgument.h"
#include "cli/Verbs.h"
#include "objects/ActionTextWriter.h"

namespace orvane {

int runWriteActions(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--serial=", "--mode="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2 || !parsed.has("--serial"))
    return context.usage("write-actions takes MOVIE --serial N OUT");
  std::uint32_t serial = 0;
  if (!parseDecimal(parsed.value("--serial"), serial)) return context.usage("--serial takes a number");
  const auto mode = actionModeArgument(parsed.value("--mode"));
  if (!mode) return context.usage(kActionModeUsage);

  ScanResult result;
  if (context.scanMovie(parsed.positional[0], result) != ScanStatus::Success) return exitcode::kFailure;
  const ActionObject* action = result.findAction(serial, true);
  const ButtonObject* button = result.findButton(serial, true);
  if (button == nullptr) button = result.findInstance(serial, true);
  const AbcObject* abc = result.findAbcObject(serial, true);
  if (action == nullptr && button == nullptr && abc == nullptr) {
    context.err() << "orvane-cli: no frame action, button, sprite instance or ActionScript 3 object has serial "
                  << serial << "\n";
    return exitcode::kFailure;
  }
  // An ActionScript 3 text is a listing in every mode but the source: it ends in ".txt".
  const bool listing = abc != nullptr && *mode != ExtractionMode::Source;
  const std::string path = normaliseActionTextName(parsed.positional[1], listing ? ExtractionMode::ActionScript5 : *mode);
  AbcTexts texts;
  bool written = false;
  if (action != nullptr)
    written = WriteActionText(action, path, *mode, true, context.sink());
  else if (button != nullptr)
    written = WriteButtonActionText(button, path, *mode, true, context.sink());
  else
    written = WriteAbcText(*abc, texts, path, *mode, true, context.sink());
  if (!written) return exitcode::kFailure;
  context.out() << path << "\n";
  return exitcode::kSuccess;
}

}  // namespace orvane
