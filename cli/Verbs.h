// The verbs of orvane-cli and the one table that lists them.
#pragma once

#include <string>
#include <vector>

#include "cli/CliContext.h"

namespace orvane {

using VerbArguments = std::vector<std::string>;

struct Verb {
  const char* name;
  const char* synopsis;  // the arguments, as the help shows them
  const char* summary;   // one line
  int (*run)(CliContext& context, const VerbArguments& arguments);
};

const std::vector<Verb>& verbs();

/// Runs the whole tool: global options, then a verb and its arguments.
int runCli(const std::vector<std::string>& arguments, CliContext& context);

int runScan(CliContext& context, const VerbArguments& arguments);
int runProjector(CliContext& context, const VerbArguments& arguments);
int runSaveAs(CliContext& context, const VerbArguments& arguments);
int runSetProperties(CliContext& context, const VerbArguments& arguments);
int runReplaceImage(CliContext& context, const VerbArguments& arguments);
int runPreviewPage(CliContext& context, const VerbArguments& arguments);
int runActions(CliContext& context, const VerbArguments& arguments);
int runExtract(CliContext& context, const VerbArguments& arguments);
int runSaveObject(CliContext& context, const VerbArguments& arguments);
int runWriteActions(CliContext& context, const VerbArguments& arguments);
int runDescribeSound(CliContext& context, const VerbArguments& arguments);
int runConvert(CliContext& context, const VerbArguments& arguments);
int runDecompress(CliContext& context, const VerbArguments& arguments);
int runCompress(CliContext& context, const VerbArguments& arguments);
int runGrep(CliContext& context, const VerbArguments& arguments);
int runAbc(CliContext& context, const VerbArguments& arguments);
int runAssemble(CliContext& context, const VerbArguments& arguments);
int runDisassemble(CliContext& context, const VerbArguments& arguments);
int runReplaceActions(CliContext& context, const VerbArguments& arguments);

/// Splits verb arguments into positional ones and the flags in `allowed` (with a value
/// when the name ends in '='). Unknown options give false with the reason in `error`.
struct ParsedArguments {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;
  bool has(const std::string& name) const;
  std::string value(const std::string& name) const;
};
[[nodiscard]] bool parseArguments(const VerbArguments& arguments, const std::vector<std::string>& allowed,
                                  ParsedArguments& parsed, std::string& error);

}  // namespace orvane
