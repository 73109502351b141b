// Finds a method of a class by the name its declaration shows: run, get x, set x,
// static run, the class's own name for the constructor, NAME$cinit for the class initialiser.
#pragma once

#include <cstdint>
#include <string>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"

namespace orvane {

struct AbcMethodMatch {
  std::uint32_t method = 0;
  /// The method's body; -1 when it has none.
  std::int32_t body = -1;
};

/// The method of class `classIndex` named `name`: an instance method, getter or setter
/// (`get x`, `set x`), a static one (`static run`, or `run` when no instance method has the
/// name), the constructor (the class's name) or the class initialiser (`Name$cinit`). False
/// with `error` set when none or several have the name, or the class index is past the table.
[[nodiscard]] bool findClassMethod(const AbcFile& file, AbcNames& names, std::uint32_t classIndex,
                                   const std::string& name, AbcMethodMatch& match, std::string& error);

}  // namespace orvane
