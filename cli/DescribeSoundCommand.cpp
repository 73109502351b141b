#include <ostream>

#include "cli/Verbs.h"
#include "objects/SoundDescription.h"

namespace orvane {

int runDescribeSound(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 1) return context.usage("describe-sound takes one FILE");

  SoundDescription description;
  const bool described = description.load(parsed.positional[0]);
  context.out() << description.lines();
  if (!description.error.empty()) context.sink().show({"", description.error, MessageIcon::Error});
  return described ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
