// The verbs that change how a movie file is stored: decompress (to FWS) and compress (to
// CWS or ZWS).
#include <cstdio>
#include <ostream>

#include "cli/Verbs.h"
#include "movie/MovieCompressor.h"
#include "movie/MovieSource.h"
#include "platform/FileTools.h"

namespace orvane {

namespace {

constexpr std::uint8_t kFirstZlibVersion = 6;
constexpr std::uint8_t kFirstLzmaVersion = 13;

std::string loadFailure(ScanStatus status, const MovieSource& source, const std::string& path) {
  switch (status) {
    case ScanStatus::OpenError: return "cannot open " + path;
    case ScanStatus::MemoryError: return "out of memory";
    case ScanStatus::GeneralError: return source.damage();
    default: return "not a movie (no FWS, CWS or ZWS signature), or shorter than its header declares";
  }
}

/// The verb's two files; false (message written) when the input is no movie or the output
/// would replace it.
bool loadInput(CliContext& context, const std::string& in, const std::string& out, MovieSource& source) {
  const ScanStatus status = source.load(in);
  std::string error;
  if (status != ScanStatus::Success) {
    error = loadFailure(status, source, in);
  } else if (isSameFile(in, out)) {
    error = "the written movie cannot replace its own source";
  }
  if (error.empty()) return true;
  context.err() << "orvane-cli: " << in << ": " << error << "\n";
  return false;
}

/// Writes the whole file or, on failure, nothing.
int writeMovieFile(CliContext& context, const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FileHandle file = openFile(path, "wb");
  bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  written = file && closeFile(file) && written;
  if (written) return exitcode::kSuccess;
  std::remove(path.c_str());
  context.err() << "orvane-cli: cannot write " << path << "\n";
  return exitcode::kFailure;
}

}  // namespace

int runDecompress(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2) return context.usage("decompress takes IN OUT");
  const std::string& in = parsed.positional[0];
  MovieSource source;
  if (!loadInput(context, in, parsed.positional[1], source)) return exitcode::kFailure;
  if (source.compression() == MovieCompression::None) {
    context.err() << "orvane-cli: " << in << ": the movie is not compressed\n";
    return exitcode::kFailure;
  }
  return writeMovieFile(context, parsed.positional[1], source.image());
}

int runCompress(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--lzma"}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2) return context.usage("compress takes IN OUT");
  MovieSource source;
  if (!loadInput(context, parsed.positional[0], parsed.positional[1], source)) return exitcode::kFailure;
  const bool lzma = parsed.has("--lzma");
  std::vector<std::uint8_t> image = source.takeImage();
  const std::uint8_t first = lzma ? kFirstLzmaVersion : kFirstZlibVersion;
  if (image[3] < first) {
    context.out() << "Version " << int{image[3]} << " raised to " << int{first} << ", the first version that reads "
                  << (lzma ? "LZMA" : "zlib") << "-compressed movies\n";
    image[3] = first;
  }
  const auto file = compressMovieImage(image, lzma ? MovieCompression::Lzma : MovieCompression::Zlib);
  if (!file) {
    context.err() << "orvane-cli: " << parsed.positional[0] << ": out of memory\n";
    return exitcode::kFailure;
  }
  return writeMovieFile(context, parsed.positional[1], *file);
}

}  // namespace orvane
