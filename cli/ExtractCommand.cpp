#include <unistd.h>

#include <iostream>
#include <sstream>

#include "cli/ActionModeArgument.h"
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
    else if (name == "fonts") settings.assets.fonts = true;
    else if (name == "texts") settings.assets.texts = true;
    else return false;
  }
  return true;
}

/// A bar of 40 cells redrawn in place on a terminal, only when it grows by a cell.
class ProgressBar {
 public:
  explicit ProgressBar(std::ostream& out) : m_out(out) {}
  ~ProgressBar() {
    if (m_drawn >= 0) m_out << "\n" << std::flush;
  }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void update(std::size_t done, std::size_t total) {
    const int cells = total == 0 ? kCells : static_cast<int>(done * kCells / total);
    if (cells == m_drawn) return;
    m_drawn = cells;
    m_out << "\r[" << std::string(static_cast<std::size_t>(cells), '#')
          << std::string(static_cast<std::size_t>(kCells - cells), '.') << "] " << done << "/" << total << std::flush;
  }

 private:
  static constexpr int kCells = 40;
  std::ostream& m_out;
  int m_drawn = -1;
};

}  // namespace

int runExtract(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--only=", "--mode=", "--preserve", "--assets"}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2) return context.usage("extract takes MOVIE DIR");
  ExtractionSettings settings;
  settings.directory = parsed.positional[1];
  if (parsed.has("--only") && !selectGroups(parsed.value("--only"), settings))
    return context.usage("--only takes images, sounds, actions, buttons, videos, fonts and texts, separated by commas");
  const auto mode = actionModeArgument(parsed.value("--mode"));
  if (!mode) return context.usage("--mode takes as5, as4, function, bytecode or source");
  settings.mode = *mode;
  settings.preserve = parsed.has("--preserve");
  if (parsed.has("--assets")) settings.assets = AssetKinds::all();

  ScanResult result;
  if (context.scanMovie(parsed.positional[0], result) != ScanStatus::Success) return exitcode::kFailure;

  // The bar goes to a terminal only: never into a file or another program's input.
  const bool terminal = &context.err() == &std::cerr && isatty(STDERR_FILENO) == 1;
  ProgressBar bar(context.err());
  ExtractionProgress progress;
  if (terminal) progress = [&bar](std::size_t done, std::size_t total) { bar.update(done, total); };
  context.out() << ExtractAllObjects(result, settings, context.sink(), progress, context.scannedMovie());
  return exitcode::kSuccess;
}

}  // namespace orvane
