// Reads an ABC block into an AbcFile, checking every count and index against its table.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "abc/AbcFile.h"

namespace orvane {

/// Never reads outside `block`. A fault in the block's structure ends the reading there:
/// what was read before it stays, and the fault (with its offset) is the last of the
/// file's errors. An index past its table is recorded and the reading goes on; one in a
/// method body is that body's error, so a bad body leaves the others whole. The code of
/// the bodies is not decoded here (see `decodeInstructions`).
AbcFile parseAbc(std::span<const std::uint8_t> block);
/// The file refers to the block's bytes: a block that is about to go is refused.
AbcFile parseAbc(std::vector<std::uint8_t>&& block) = delete;

}  // namespace orvane
