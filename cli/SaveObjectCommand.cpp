#include <ostream>

#include "cli/DecimalArgument.h"
#include "cli/Verbs.h"
#include "objects/ObjectSaving.h"

namespace orvane {

int runSaveObject(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--serial="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2 || !parsed.has("--serial"))
    return context.usage("save-object takes MOVIE --serial N OUT");
  std::uint32_t serial = 0;
  if (!parseDecimal(parsed.value("--serial"), serial)) return context.usage("--serial takes a number");

  ScanResult result;
  if (context.scanMovie(parsed.positional[0], result) != ScanStatus::Success) return exitcode::kFailure;
  std::string tempPath;
  ObjectWindow window = ObjectWindow::Image;
  if (const ImageObject* image = result.findImage(serial, true); image != nullptr && image->viewable) {
    tempPath = image->tempFilePath;
  } else if (const SoundObject* sound = result.findSound(serial, true); sound != nullptr && sound->hasFile) {
    tempPath = sound->tempFilePath;
    window = ObjectWindow::Sound;
  } else {
    context.err() << "orvane-cli: no image or sound with a file has serial " << serial << "\n";
    return exitcode::kFailure;
  }
  const auto written = SaveObjectFile(tempPath, parsed.positional[1], window, context.sink());
  if (!written) return exitcode::kFailure;
  context.out() << *written << "\n";
  return exitcode::kSuccess;
}

}  // namespace orvane
