#include <ostream>

#include "cli/AssetJson.h"
#include "cli/ScanReport.h"
#include "cli/Verbs.h"

namespace orvane {

int runScan(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--details", "--empty", "--json", "--assets"}, parsed, error))
    return context.usage(error);
  if (parsed.positional.size() != 1) return context.usage("scan takes one movie");
  if (parsed.has("--assets") && !parsed.has("--json")) return context.usage("--assets goes with --json");

  ScanResult result;
  const ScanStatus status = context.scanMovie(parsed.positional[0], result);
  // A walk that stopped keeps what it collected; it is printed as the panels show it.
  if (!result.timelines().empty()) {
    const bool details = parsed.has("--details");
    if (parsed.has("--assets")) {
      const AssetJson assets(result, context.scannedMovie().movie);
      context.out() << scanJson(result, details, &assets);
    } else {
      context.out() << (parsed.has("--json") ? scanJson(result, details)
                                             : scanText(result, details, parsed.has("--empty")));
    }
  }
  return status == ScanStatus::Success ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
