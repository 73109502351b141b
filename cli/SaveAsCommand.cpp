#include "cli/Verbs.h"
#include "movie/MovieRewriter.h"

namespace orvane {

int runSaveAs(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2) return context.usage("save-as takes MOVIE OUT");

  // The command works on a loaded movie, so the movie is scanned first.
  ScanResult result;
  if (context.scanMovie(parsed.positional[0], result) != ScanStatus::Success) return exitcode::kFailure;
  return saveMovieAs(parsed.positional[0], parsed.positional[1], context.sink()) ? exitcode::kSuccess
                                                                                 : exitcode::kFailure;
}

}  // namespace orvane
