// The names a method's parameters are declared and read with, the same for its
// declaration, its body and the function expressions that show it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"

namespace orvane {

/// One identifier per parameter: the names of its body's debug records, else the method's
/// own, else `param1`, `param2` ...; a name that an earlier parameter has already gives
/// way to the number. Empty for an index past the methods.
std::vector<std::string> parameterNames(const AbcFile& file, const AbcNames& names, std::uint32_t method);

}  // namespace orvane
