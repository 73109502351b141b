// Which source files a block's classes and scripts are written into, as a compiler expects
// them: one file per class of a package, named after it in its package's folder, and the
// parts of a script outside its classes in the file of its first class.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"

namespace orvane {

struct AbcSourceFile {
  /// Relative to the source tree's root, with "/": `com/example/Foo.as`.
  std::string path;
  /// The classes of a package that the file holds (the first is the one it is named after).
  std::vector<std::uint32_t> packageClasses;
  /// The script whose own parts the file holds (-1: none): its package-level functions,
  /// variables and constants, the classes of its private namespace and its code.
  std::int64_t script = -1;
  /// The script's number in the movie (for a file named after it).
  std::uint32_t scriptNumber = 0;
};

/// One file per class of a package namespace (public or internal); each script's own parts
/// go into the file of its first such class, else into a file named after its first
/// package-level definition, else `Script N.as` with `firstScriptNumber` + its index. A
/// class that no script defines gets a file of its own. Names that are not identifiers are
/// made ones (see `sourceIdentifier`).
std::vector<AbcSourceFile> layoutSourceFiles(const AbcFile& file, AbcNames& names, std::uint32_t firstScriptNumber);

/// The path of a definition `name` of `package`: `a/b/Name.as`.
std::string sourcePath(const std::string& package, const std::string& name);

}  // namespace orvane
