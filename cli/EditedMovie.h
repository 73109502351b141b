// What the verbs that patch a movie from a text share: reading the text, writing the movie.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "cli/CliContext.h"
#include "objects/ActionReplacement.h"
#include "platform/FileTools.h"

namespace orvane {

/// The file's text; none, with "orvane-cli: cannot read PATH" printed, when it cannot be read.
inline std::optional<std::string> readEditText(CliContext& context, const std::string& path) {
  const auto bytes = readWholeFile(path);
  if (!bytes) {
    context.err() << "orvane-cli: cannot read " << path << "\n";
    return std::nullopt;
  }
  return std::string(bytes->begin(), bytes->end());
}

/// Writes the edited image with the movie's compression, atomically; the exit status.
inline int writeEditedMovie(CliContext& context, const std::string& path, std::span<const std::uint8_t> image,
                            MovieCompression compression) {
  if (writeMovieImage(path, image, compression)) return exitcode::kSuccess;
  context.err() << "orvane-cli: cannot write " << path << "\n";
  return exitcode::kFailure;
}

}  // namespace orvane
