// Replacing the actions of one object of a movie by an assembly text: the text assembled,
// the object's tag rebuilt around the new blocks and spliced into the movie, the movie
// written back with its own compression.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "actions/assembly/AssemblyLexer.h"
#include "movie/MovieSource.h"

namespace orvane {

class MessageSink;
class MovieObject;
class ScanResult;

/// The new body of the tag of `object` (a frame action, init action, button or sprite
/// instance that `scan` read from the uncompressed `image`) with its blocks replaced by
/// those `text` assembles into; the faults, and where they stand, are those of
/// replaceActionsInImage. Nothing is spliced, so checking a text costs no copy of the movie.
[[nodiscard]] bool rebuildActionBody(std::span<const std::uint8_t> image, const ScanResult& scan,
                                     const MovieObject& object, std::string_view text,
                                     std::vector<std::uint8_t>& body, AssemblyError& error);

/// The uncompressed movie `image` (the one `scan` read) with the blocks of `object` — a
/// frame action, init action, button or sprite instance of that scan — replaced by the
/// blocks `text` assembles into: the records of one block for a frame or init action (or
/// a DefineButton), the on blocks of a button's conditions or of a clip's events. False
/// with `error` set, at its line and column, when the text does not assemble, does not fit
/// the object, or the rebuilt tag passes a size field; faults of the whole tag stand at
/// line 1, column 1. `image` is left as it is either way.
[[nodiscard]] bool replaceActionsInImage(std::span<const std::uint8_t> image, const ScanResult& scan,
                                         const MovieObject& object, std::string_view text,
                                         std::vector<std::uint8_t>& out, AssemblyError& error);

/// Writes the uncompressed `image` to `path` stored with `compression`, through a temporary
/// file in the same folder that replaces `path` only when it is complete. False when it
/// could not be compressed or written; `path` is then as it was.
[[nodiscard]] bool writeMovieImage(const std::string& path, std::span<const std::uint8_t> image,
                                   MovieCompression compression);

/// Where saveMovieImageAs wrote the movie.
struct SavedMovie {
  std::string path;
  /// The name chosen was the movie's own file (`currentPath`).
  bool ontoCurrent = false;
};

/// Save As for a movie edited in memory: writes `image` with `compression` under `name`
/// (the ".swf" rule applied to a name longer than one character) through writeMovieImage,
/// and shows the outcome with Save As's texts. None when it could not be written.
std::optional<SavedMovie> saveMovieImageAs(std::span<const std::uint8_t> image, MovieCompression compression,
                                           const std::string& currentPath, const std::string& name,
                                           MessageSink& sink);

}  // namespace orvane
