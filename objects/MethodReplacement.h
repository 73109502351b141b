// Replacing one method body of an ActionScript 3 class by an assembly text: the body
// assembled into its ABC block, the DoABC tag rebuilt around the new block and spliced into
// the movie.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "actions/assembly/AssemblyLexer.h"

namespace orvane {

class AbcObject;
class ScanResult;

/// The uncompressed movie `image` (the one `scan` read) with the body of the method named
/// `method` of the class `object` (see `findClassMethod`) replaced by what `text` assembles
/// into; the tag's flags and name stay. False with `error` set, at its line and column, when
/// the text does not assemble; faults that are not the text's (the method is not found or has
/// no body, the movie no longer holds the tag, the block has faults) stand at line 0.
/// `image` is left as it is either way.
[[nodiscard]] bool replaceMethodInImage(std::span<const std::uint8_t> image, const ScanResult& scan,
                                        const AbcObject& object, const std::string& method, std::string_view text,
                                        std::vector<std::uint8_t>& out, AssemblyError& error);

}  // namespace orvane
