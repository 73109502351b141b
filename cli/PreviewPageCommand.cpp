#include <filesystem>
#include <ostream>

#include "cli/Verbs.h"
#include "objects/PreviewPage.h"
#include "platform/ProcessLauncher.h"
#include "platform/TempFolder.h"

namespace orvane {

int runPreviewPage(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--page="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 1) return context.usage("preview-page takes one movie");
  // The page lives in another folder, so a relative movie path would not lead back to the movie.
  std::error_code ignored;
  const std::string path = std::filesystem::absolute(parsed.positional[0], ignored).string();

  ScanResult result;
  if (context.scanMovie(path, result) != ScanStatus::Success) return exitcode::kFailure;
  if (parsed.has("--page")) {
    const std::string page = parsed.value("--page");
    if (!writePreviewPage(page, previewPageText(path, result.width, result.height))) {
      context.err() << "orvane-cli: cannot write " << page << "\n";
      return exitcode::kFailure;
    }
    context.out() << page << '\n';
    return exitcode::kSuccess;
  }
  // This run's own temp folder goes at exit, before the browser reads the page: without
  // --temp the page goes to the private temp folder, which stays.
  std::optional<std::string> folder = context.requestedTemp.empty() ? privateTempFolder(error) : context.tempFolder();
  if (!folder) {
    context.err() << "orvane-cli: no temp folder for the page " << error << "\n";
    return exitcode::kFailure;
  }
  const std::string page = previewPagePath(*folder);
  SystemLauncher launcher;
  if (!previewInBrowser(path, result.width, result.height, page, launcher, context.sink())) return exitcode::kFailure;
  context.out() << page << '\n';
  return exitcode::kSuccess;
}

}  // namespace orvane
