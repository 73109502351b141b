#include <ostream>

#include "cli/DecimalArgument.h"
#include "cli/Verbs.h"
#include "objects/ImageReplacement.h"

namespace orvane {

int runReplaceImage(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--serial="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2 || !parsed.has("--serial"))
    return context.usage("replace-image takes MOVIE --serial N PICTURE");
  std::uint32_t serial = 0;
  if (!parseDecimal(parsed.value("--serial"), serial)) return context.usage("--serial takes a number");
  const std::string& path = parsed.positional[0];

  ScanResult result;
  if (context.scanMovie(path, result) != ScanStatus::Success) return exitcode::kFailure;
  const ImageObject* image = result.findImage(serial, true);
  // A JPEGTables tag is listed with the images but has no picture of its own.
  if (image == nullptr || image->characterId == 0xFFFF) {
    context.err() << "orvane-cli: no image with serial " << serial << "\n";
    return exitcode::kFailure;
  }
  if (!replaceImage(path, result, *image, parsed.positional[1], context.sink())) return exitcode::kFailure;
  return context.scanMovie(path, result) == ScanStatus::Success ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
