#include "cli/Verbs.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace orvane {

namespace {

bool parseNumber(const std::string& text, std::uint32_t& value) {
  int base = 10;
  const char* begin = text.data();
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    begin += 2;
  }
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(begin, end, value, base);
  return error == std::errc() && stop == end && begin != end;
}

void printHelp(std::ostream& out) {
  out << "usage: orvane-cli [--temp DIR] [--flags N] VERB ...\n\n";
  for (const Verb& verb : verbs()) out << "  " << verb.name << " " << verb.synopsis << "\n      " << verb.summary << "\n";
  out << "\n  --temp DIR  keep this run's temporary object files in DIR\n"
         "  --flags N   the scan flags (default 4095)\n";
}

}  // namespace

const std::vector<Verb>& verbs() {
  static const std::vector<Verb> table = {
      {"scan", "MOVIE [--details] [--empty] [--json]",
       "Scan a movie and print its properties, object tree and instances", runScan},
      {"actions", "MOVIE [--serial N | --all] [--mode hex|char|int|function|as4|as5|source|asm]",
       "Print the text an action window shows for a frame action, button, sprite instance or ActionScript 3 "
       "script or class",
       runActions},
      {"abc", "MOVIE [--class NAME]",
       "Print every ActionScript 3 class and script of the movie's DoABC tags with their method bodies "
       "disassembled, or only the classes of that name (qualified, or the name alone)",
       runAbc},
      {"grep", "MOVIE PATTERN [--mode hex|char|int|function|as4|as5|source|asm] [--regex] [--ignore-case]",
       "Print every line of the movie's action texts that holds the pattern, as name : line : text", runGrep},
      {"projector", "EXE [--save ITEM OUT]",
       "List the movies inside a projector executable, or save one of them", runProjector},
      {"save-as", "MOVIE OUT", "Copy a movie under a new name", runSaveAs},
      {"set-properties", "MOVIE --width W --height H --rate R",
       "Rewrite a movie's header with a new size and frame rate", runSetProperties},
      {"replace-image", "MOVIE --serial N PICTURE",
       "Replace an image of a movie by a picture file", runReplaceImage},
      {"preview-page", "MOVIE [--page OUT]",
       "Write the browser preview page of a movie and open it (or only write it to OUT)", runPreviewPage},
      {"extract",
       "MOVIE DIR [--only images,sounds,actions,buttons,videos] [--mode as5|as4|function|bytecode|source|asm] [--preserve]",
       "Extract every object of a movie into a folder per timeline and print the report", runExtract},
      {"save-object", "MOVIE --serial N OUT [--preserve]",
       "Save the file of one image or sound object (or its preserved form, or a video stream's)", runSaveObject},
      {"write-actions", "MOVIE --serial N OUT [--mode as5|as4|function|bytecode|source|asm]",
       "Write the actions of one frame action, button or ActionScript 3 script or class to a text file",
       runWriteActions},
      {"assemble", "IN.txt OUT.bin",
       "Assemble the assembly text of one action block (as --mode asm writes it) into the block's bytes",
       runAssemble},
      {"disassemble", "IN.bin [OUT.txt]",
       "Write the assembly text of the action block in a file of its bytes (to standard output without OUT)",
       runDisassemble},
      {"replace-actions", "MOVIE --serial N IN.txt [OUT]",
       "Replace the actions of a frame action, init action, button or sprite instance by an assembly text and "
       "write the movie to OUT (or back in its place)",
       runReplaceActions},
      {"describe-sound", "FILE", "Describe a WAV or MP3 file as the sound window does", runDescribeSound},
      {"convert", "IN OUT --type N", "Convert a picture into the image file type numbered N", runConvert},
      {"decompress", "IN OUT", "Write a compressed (CWS or ZWS) movie as an uncompressed movie", runDecompress},
      {"compress", "IN OUT [--lzma]",
       "Write a movie compressed with zlib (CWS), or with LZMA (ZWS) with --lzma", runCompress},
  };
  return table;
}

bool ParsedArguments::has(const std::string& name) const {
  return std::any_of(options.begin(), options.end(), [&](const auto& option) { return option.first == name; });
}

std::string ParsedArguments::value(const std::string& name) const {
  for (const auto& option : options)
    if (option.first == name) return option.second;
  return "";
}

bool parseArguments(const VerbArguments& arguments, const std::vector<std::string>& allowed,
                    ParsedArguments& parsed, std::string& error) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() < 2 || argument.rfind("--", 0) != 0) {
      parsed.positional.push_back(argument);
      continue;
    }
    const auto flag = std::find(allowed.begin(), allowed.end(), argument);
    const auto withValue = std::find(allowed.begin(), allowed.end(), argument + "=");
    if (flag != allowed.end()) {
      parsed.options.emplace_back(argument, "");
    } else if (withValue != allowed.end()) {
      if (i + 1 == arguments.size()) {
        error = argument + " needs a value";
        return false;
      }
      parsed.options.emplace_back(argument, arguments[++i]);
    } else {
      error = "unknown option " + argument;
      return false;
    }
  }
  return true;
}

int runCli(const std::vector<std::string>& arguments, CliContext& context) {
  std::size_t next = 0;
  while (next < arguments.size() && arguments[next].rfind("--", 0) == 0) {
    const std::string& option = arguments[next];
    if (option == "--help") {
      printHelp(context.out());
      return exitcode::kSuccess;
    }
    if (next + 1 == arguments.size()) return context.usage(option + " needs a value");
    if (option == "--temp") {
      context.requestedTemp = arguments[next + 1];
    } else if (option == "--flags") {
      if (!parseNumber(arguments[next + 1], context.flags)) return context.usage("--flags takes a number");
    } else {
      return context.usage("unknown option " + option);
    }
    next += 2;
  }
  if (next == arguments.size()) {
    printHelp(context.err());
    return exitcode::kUsage;
  }
  const std::string& name = arguments[next];
  const auto verb = std::find_if(verbs().begin(), verbs().end(), [&](const Verb& v) { return name == v.name; });
  if (verb == verbs().end()) return context.usage("unknown verb " + name + " (see orvane-cli --help)");
  const VerbArguments rest(arguments.begin() + static_cast<std::ptrdiff_t>(next) + 1, arguments.end());
  if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
    context.out() << "usage: orvane-cli " << verb->name << " " << verb->synopsis << "\n" << verb->summary << "\n";
    return exitcode::kSuccess;
  }
  return verb->run(context, rest);
}

}  // namespace orvane
