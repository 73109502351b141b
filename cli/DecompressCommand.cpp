#include <ostream>

#include "cli/Verbs.h"
#include "objects/MovieDecompressor.h"

namespace orvane {

int runDecompress(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2) return context.usage("decompress takes IN OUT");
  if (!decompressMovie(parsed.positional[0], parsed.positional[1], error)) {
    context.err() << "orvane-cli: " << parsed.positional[0] << ": " << error << "\n";
    return exitcode::kFailure;
  }
  return exitcode::kSuccess;
}

}  // namespace orvane
