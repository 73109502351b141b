// The `decompile` verb: the ActionScript 3 source tree of every DoABC tag of a movie.
#include <ostream>

#include "abcsource/AbcSourceTree.h"
#include "cli/Verbs.h"

namespace orvane {

int runDecompile(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2) return context.usage("decompile takes MOVIE OUTDIR");

  ScanResult result;
  if (context.scanMovie(parsed.positional[0], result) != ScanStatus::Success) return exitcode::kFailure;
  std::vector<const AbcTag*> tags;
  for (const auto& timeline : result.timelines())
    for (const auto& tag : timeline->abcTags) tags.push_back(tag.get());
  if (tags.empty()) {
    context.err() << "orvane-cli: the movie has no DoABC or DoABC1 tag\n";
    return exitcode::kFailure;
  }
  const std::string root = parsed.positional[1];
  const bool all = AbcSourceTree(std::move(tags)).write(root, [&](const std::string& path, bool written) {
    if (written)
      context.out() << root << "/" << path << "\n";
    else
      context.err() << "orvane-cli: could not write " << root << "/" << path << "\n";
  });
  return all ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
