#include <ostream>

#include "cli/DecimalArgument.h"
#include "cli/Verbs.h"
#include "objects/ObjectSaving.h"
#include "objects/PreservedForms.h"

namespace orvane {

namespace {

/// Writes the preserved form of the object with that serial to `chosenName`, normalised
/// against the preserved extensions; none when the object has no preserved form.
template <typename Object>
std::optional<std::string> savePreserved(const Object* object, const PreservedForms& forms,
                                         const std::string& chosenName, bool& failed) {
  if (object == nullptr) return std::nullopt;
  const std::string name = forms.name(*object);
  if (name.empty()) return std::nullopt;
  const std::string path = normaliseChosenName(chosenName, objectFileExtension(name), {".png", ".gif", ".flv"});
  if (forms.write(*object, path)) return path;
  failed = true;
  return std::nullopt;
}

}  // namespace

int runSaveObject(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--serial=", "--preserve"}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2 || !parsed.has("--serial"))
    return context.usage("save-object takes MOVIE --serial N OUT");
  std::uint32_t serial = 0;
  if (!parseDecimal(parsed.value("--serial"), serial)) return context.usage("--serial takes a number");

  ScanResult result;
  if (context.scanMovie(parsed.positional[0], result) != ScanStatus::Success) return exitcode::kFailure;
  const std::string& chosenName = parsed.positional[1];
  if (parsed.has("--preserve")) {
    const PreservedForms forms(context.scannedMovie());
    bool failed = false;
    std::optional<std::string> written = savePreserved(result.findImage(serial, true), forms, chosenName, failed);
    if (!written) written = savePreserved(result.findSound(serial, true), forms, chosenName, failed);
    if (!written) written = savePreserved(result.findVideo(serial, true), forms, chosenName, failed);
    if (failed) {
      context.err() << "orvane-cli: the preserved form of serial " << serial << " could not be written\n";
      return exitcode::kFailure;
    }
    if (written) {
      context.out() << *written << "\n";
      return exitcode::kSuccess;
    }
  }
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
  const auto written = SaveObjectFile(tempPath, chosenName, window, context.sink());
  if (!written) return exitcode::kFailure;
  context.out() << *written << "\n";
  return exitcode::kSuccess;
}

}  // namespace orvane
