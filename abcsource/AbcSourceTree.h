// The ActionScript 3 source tree of a movie's ABC tags: every class and script of every
// block written as a file under one root, with paths unique across the blocks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "movie/MovieObject.h"

namespace orvane {

/// Told, for each file, its path under the root and whether it was written.
using AbcSourceFileWritten = std::function<void(const std::string& relativePath, bool written)>;

/// Reads every block once to learn what the movie defines, then writes the blocks one
/// after another: each file's text is made, written and let go before the next, so memory
/// grows with one block's decompiled bodies, not with the whole tree. A path that an earlier
/// file took gets " 2" (" 3" ...) before its extension. The tags must outlive the tree.
class AbcSourceTree {
 public:
  explicit AbcSourceTree(std::vector<const AbcTag*> tags);

  /// Writes the tree under `root` (folders made as needed, files replaced). False when a
  /// file could not be written; the others are written all the same.
  [[nodiscard]] bool write(const std::string& root, const AbcSourceFileWritten& written) const;

 private:
  std::vector<const AbcTag*> m_tags;
};

}  // namespace orvane
