// The listing of one method body: its header, one instruction per line with resolved
// operands and labels, undecodable rest as bytes, and the exception table.
#pragma once

#include <string>

#include "abc/AbcFile.h"
#include "abc/AbcInstruction.h"
#include "abc/AbcNames.h"

namespace orvane {

/// Appends to `out`, each line starting with `indent`:
///   // body 2 of method 3: max stack 2, locals 1, scope depth 0 to 1, code length 12
///   L7:
///       7  iffalse L12
/// then "exception N: from L.. to L.. target L.. type T name V" lines and the body's faults.
void appendBodyListing(std::string& out, const AbcFile& file, AbcNames& names, std::uint32_t bodyIndex,
                       const std::string& indent);

/// The operand text of one instruction (without the mnemonic), as the listing shows it.
std::string operandText(const AbcInstruction& instruction, const AbcFile& file, AbcNames& names);

}  // namespace orvane
