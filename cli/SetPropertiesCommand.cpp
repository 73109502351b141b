#include <string>

#include "cli/Verbs.h"
#include "movie/MovieRewriter.h"

namespace orvane {

int runSetProperties(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--width=", "--height=", "--rate="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 1) return context.usage("set-properties takes one movie");
  const std::string& path = parsed.positional[0];

  ScanResult result;
  if (context.scanMovie(path, result) != ScanStatus::Success) return exitcode::kFailure;
  // The dialog's fields start with the scanned values; the options change them.
  const auto field = [&](const char* option, const std::string& scanned) {
    return parsed.has(option) ? parsed.value(option) : scanned;
  };
  MovieProperties properties;
  const auto problem = validateMovieProperties(field("--width", std::to_string(result.width)),
                                               field("--height", std::to_string(result.height)),
                                               field("--rate", std::to_string(result.frameRate)), properties);
  if (problem) {
    context.sink().show({"", problem->message, MessageIcon::Warning});
    return exitcode::kFailure;
  }
  if (!editMovieProperties(path, result, properties, context.sink())) return exitcode::kFailure;
  return context.scanMovie(path, result) == ScanStatus::Success ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
