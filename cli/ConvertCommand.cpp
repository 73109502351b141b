#include <ostream>

#include "cli/DecimalArgument.h"
#include "cli/Verbs.h"
#include "objects/ImageConversion.h"
#include "objects/RgbImage.h"

namespace orvane {

int runConvert(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--type="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2 || !parsed.has("--type")) return context.usage("convert takes IN OUT --type N");
  std::uint32_t number = 0;
  if (!parseDecimal(parsed.value("--type"), number) || imageFileTypeFromNumber(number) == ImageFileType::None)
    return context.usage("--type takes an image file type number (1 to 24)");

  const std::uint32_t code = convertPicture(parsed.positional[0], parsed.positional[1], imageFileTypeFromNumber(number));
  if (code != 0) {
    context.err() << "orvane-cli: " << RgbImage::ErrorText(code) << "\n";
    return exitcode::kFailure;
  }
  return exitcode::kSuccess;
}

}  // namespace orvane
