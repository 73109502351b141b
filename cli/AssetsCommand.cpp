#include <ostream>

#include "cli/AssetJson.h"
#include "cli/ScanReport.h"
#include "cli/Verbs.h"

namespace orvane {

int runAssets(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--details", "--empty", "--json"}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 1) return context.usage("assets takes one movie");

  ScanResult result;
  const ScanStatus status = context.scanMovie(parsed.positional[0], result);
  // A walk that stopped keeps what it collected; it is printed as the tab shows it.
  if (!result.timelines().empty()) {
    const bool details = parsed.has("--details");
    if (parsed.has("--json"))
      context.out() << assetsJson(result, details, AssetJson(result, context.scannedMovie().movie));
    else
      context.out() << assetsText(result, details, parsed.has("--empty"));
  }
  return status == ScanStatus::Success ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
