// The `replace-method` verb: one method body of an ActionScript 3 class replaced by an
// assembly text, the movie written to OUT or back in its place.
#include <ostream>

#include "abc/AbcObjects.h"
#include "cli/AssemblyErrorText.h"
#include "cli/EditedMovie.h"
#include "cli/Verbs.h"
#include "objects/MethodReplacement.h"

namespace orvane {

int runReplaceMethod(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--class=", "--method="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() < 2 || parsed.positional.size() > 3 || !parsed.has("--class") ||
      !parsed.has("--method"))
    return context.usage("replace-method takes MOVIE --class NAME --method NAME IN.txt [OUT]");
  const std::string& moviePath = parsed.positional[0];
  const std::string& textPath = parsed.positional[1];
  const std::string& outPath = parsed.positional.size() == 3 ? parsed.positional[2] : moviePath;
  const std::string className = parsed.value("--class");

  const std::optional<std::string> text = readEditText(context, textPath);
  if (!text) return exitcode::kFailure;
  ScanResult result;
  if (context.scanMovie(moviePath, result) != ScanStatus::Success) return exitcode::kFailure;
  std::vector<const AbcObject*> classes;
  for (const auto& timeline : result.timelines())
    for (const auto& object : timeline->abcObjects)
      if (isClassNamed(*object, className)) classes.push_back(object.get());
  if (classes.size() != 1) {
    context.err() << "orvane-cli: "
                  << (classes.empty() ? "no class is named " + className
                                      : std::to_string(classes.size()) + " classes are named " + className +
                                            "; give the qualified name of one")
                  << "\n";
    return exitcode::kFailure;
  }
  std::vector<std::uint8_t> edited;
  AssemblyError fault;
  if (!replaceMethodInImage(context.scannedMovie().movie, result, *classes.front(), parsed.value("--method"), *text,
                            edited, fault)) {
    context.err() << (fault.line == 0 ? "orvane-cli: " + fault.message : assemblyErrorText(textPath, fault)) << "\n";
    return exitcode::kFailure;
  }
  return writeEditedMovie(context, outPath, edited, result.compression);
}

}  // namespace orvane
