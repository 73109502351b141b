// The verbs of orvane-cli and the one table that lists them: it drives the tool, its
// help, its manual page and its shell completions.
#pragma once

#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "usage/CommandLine.h"

namespace orvane {

using VerbArguments = std::vector<std::string>;

/// A row of the table. Every field of `help` is shown somewhere: the synopsis and
/// summary by `orvane-cli --help`, all of them by `orvane-cli help VERB` and the manual
/// page; the operands and options (with the kinds of their values) by the completions.
struct Verb {
  CommandHelp help;
  int (*run)(CliContext& context, const VerbArguments& arguments) = nullptr;
};

const std::vector<Verb>& verbs();

/// The tool as the manual page and the completions describe it: its own options and
/// every verb of the table.
const ProgramHelp& cliProgram();

/// Runs the whole tool: global options, then a verb and its arguments.
int runCli(const std::vector<std::string>& arguments, CliContext& context);

int runScan(CliContext& context, const VerbArguments& arguments);
int runAssets(CliContext& context, const VerbArguments& arguments);
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
int runDecompile(CliContext& context, const VerbArguments& arguments);
int runAssemble(CliContext& context, const VerbArguments& arguments);
int runDisassemble(CliContext& context, const VerbArguments& arguments);
int runReplaceActions(CliContext& context, const VerbArguments& arguments);
int runReplaceMethod(CliContext& context, const VerbArguments& arguments);
int runRender(CliContext& context, const VerbArguments& arguments);
int runHelp(CliContext& context, const VerbArguments& arguments);
int runIndex(CliContext& context, const VerbArguments& arguments);
int runSearch(CliContext& context, const VerbArguments& arguments);
int runDupes(CliContext& context, const VerbArguments& arguments);

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
