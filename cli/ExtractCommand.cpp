#include <ostream>
#include <sstream>

#include "cli/ActionModeArgument.h"
#include "cli/ProgressBar.h"
#include "cli/Verbs.h"
#include "objects/ExtractionRun.h"

namespace orvane {

namespace {

/// Sets the groups named in a comma-separated list; false for an unknown name.
bool selectGroups(const std::string& list, ExtractionSettings& settings) {
  settings.images = settings.sounds = settings.actions = settings.buttons = settings.videos = false;
  std::istringstream names(list);
  std::string name;
  while (std::getline(names, name, ',')) {
    if (name == "images") settings.images = true;
    else if (name == "sounds") settings.sounds = true;
    else if (name == "actions") settings.actions = true;
    else if (name == "buttons") settings.buttons = true;
    else if (name == "videos") settings.videos = true;
    else if (name == "shapes") settings.assets.shapes = true;
    else if (name == "morphshapes") settings.assets.morphShapes = true;
    else if (name == "fonts") settings.assets.fonts = true;
    else if (name == "texts") settings.assets.texts = true;
    else if (name == "frames") settings.assets.frames = true;
    else return false;
  }
  return true;
}

}  // namespace

int runExtract(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--only=", "--mode=", "--preserve", "--assets"}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2) return context.usage("extract takes MOVIE DIR");
  ExtractionSettings settings;
  settings.directory = parsed.positional[1];
  if (parsed.has("--only") && !selectGroups(parsed.value("--only"), settings))
    return context.usage("--only takes images, sounds, actions, buttons, videos, shapes, morphshapes, fonts, texts and "
                         "frames, separated by commas");
  const auto mode = actionModeArgument(parsed.value("--mode"));
  if (!mode) return context.usage(kActionModeUsage);
  settings.mode = *mode;
  settings.preserve = parsed.has("--preserve");
  if (parsed.has("--assets")) settings.assets = AssetKinds::all();

  ScanResult result;
  if (context.scanMovie(parsed.positional[0], result) != ScanStatus::Success) return exitcode::kFailure;
  const auto scratch = context.tempFolder();
  if (!scratch) return exitcode::kFailure;

  // The bar goes to a terminal only: never into a file or another program's input.
  ProgressBar bar(context.err(), "objects");
  ExtractionProgress progress;
  if (ProgressBar::fitsOn(context.err()))
    progress = [&bar](std::size_t done, std::size_t total) { bar.show(done, total); };
  const std::string report = ExtractAllObjects(result, settings, context.sink(), progress, context.scannedMovie(), *scratch);
  bar.finish();
  context.out() << report;
  return exitcode::kSuccess;
}

}  // namespace orvane
