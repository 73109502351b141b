#include <ostream>

#include "cli/DecimalArgument.h"
#include "cli/Verbs.h"
#include "movie/ProjectorSearch.h"
#include "platform/ProcessLauncher.h"

namespace orvane {

int runProjector(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--save="}, parsed, error)) return context.usage(error);
  const bool save = parsed.has("--save");
  if (parsed.positional.size() != (save ? 2u : 1u)) return context.usage("projector takes EXE [--save ITEM OUT]");
  std::int32_t item = 0;
  if (save && !parseDecimal(parsed.value("--save"), item)) return context.usage("--save takes an item number");

  SystemLauncher launcher;
  ProjectorSearch search(context.sink(), launcher);
  if (!search.search(parsed.positional[0])) return exitcode::kFailure;
  if (!save) {
    for (const MovieCandidate& candidate : search.candidates()) {
      const std::vector<std::string> row = ProjectorSearch::rowTexts(candidate);
      context.out() << row[0] << '\t' << row[1] << '\t' << row[2] << '\t' << row[3] << '\n';
    }
    return exitcode::kSuccess;
  }
  MovieCandidate* candidate = search.candidateToSave(item);
  if (candidate == nullptr) return exitcode::kFailure;
  const auto written = search.saveCandidateAs(*candidate, parsed.positional[1]);
  if (!written) return exitcode::kFailure;
  context.out() << *written << '\n';
  return exitcode::kSuccess;
}

}  // namespace orvane
