// The ActionScript 3 source of one ABC block: the text of each file of its source tree,
// and the texts that the windows show of its classes and scripts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"
#include "abcsource/AbcBodySource.h"
#include "abcsource/AbcDefinitions.h"
#include "abcsource/AbcSourceLayout.h"

namespace orvane {

/// Works on a parsed block and the movie's definitions, which it does not own. Each method
/// body is decompiled once, whichever text shows it first.
class AbcSourceText {
 public:
  AbcSourceText(const AbcFile& file, const AbcDefinitions& definitions);
  AbcSourceText(const AbcSourceText&) = delete;
  AbcSourceText& operator=(const AbcSourceText&) = delete;

  /// The text of one file of the block's layout: the faults of the block as comments, each
  /// package block (`package a.b {`, its imports, its classes and package-level
  /// definitions, `}`), then what stands outside every package: the imports again, the
  /// classes and definitions of the script's private namespace and the script's code.
  void appendFile(std::string& out, const AbcSourceFile& sourceFile);
  /// One class in its package block, with the imports it needs.
  std::string classText(std::uint32_t classIndex);
  /// A script's own parts (everything but its classes of a package), or a comment that
  /// names its classes when it has nothing else.
  std::string scriptText(std::uint32_t scriptIndex);

  AbcNames& names() { return m_names; }
  /// Lets go of what the texts written so far decompiled (see AbcBodyDecompiler).
  void releaseBodies() { m_bodies.releaseUnsharedBodies(); }

 private:
  void appendParts(std::string& out, const std::vector<std::uint32_t>& classes, std::int64_t script);
  void appendFaults(std::string& out) const;

  const AbcFile& m_file;
  const AbcDefinitions& m_definitions;
  AbcNames m_names;
  AbcBodyDecompiler m_bodies;
  /// The metadata of the script trait that defines each class (none: no such trait).
  std::vector<const std::vector<std::uint32_t>*> m_classMetadata;
};

}  // namespace orvane
