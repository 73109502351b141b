// The `grep` verb: Find in Movie from the command line, one line per hit.
#include <ostream>

#include "cli/TranslationModeArgument.h"
#include "cli/Verbs.h"
#include "search/MovieSearch.h"

namespace orvane {

int runGrep(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--mode=", "--regex", "--ignore-case"}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2) return context.usage("grep takes a movie and a pattern");
  TranslationMode mode = defaultSearchMode();
  if (parsed.has("--mode")) {
    const std::optional<TranslationMode> named = modeNamed(parsed.value("--mode"));
    if (!named) return context.usage(kModeUsage);
    mode = *named;
  }
  const TextMatcher matcher({parsed.positional[1], parsed.has("--regex"), parsed.has("--ignore-case"), false});
  if (!matcher.valid()) return context.usage("bad pattern: " + matcher.error());

  ScanResult result;
  static_cast<void>(context.scanMovie(parsed.positional[0], result));
  bool found = false;
  static_cast<void>(MovieSearch(result, mode).run(matcher, [&](const SearchHit& hit) {
    context.out() << hitText(hit) << "\n";
    found = true;
  }));
  return found ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
