// The listing of one method body: its header, one instruction per line with resolved
// operands and labels, undecodable rest as bytes, and the exception table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "actions/ActionRecord.h"

#include "abc/AbcFile.h"
#include "abc/AbcInstruction.h"
#include "abc/AbcNames.h"
#include "abc/AbcPoolTexts.h"

namespace orvane {

/// Appends to `out`, each line starting with `indent`:
///   // body 2 of method 3: max stack 2, locals 1, scope depth 0 to 1, code length 12
///   L7:
///       7  iffalse L12
/// then "exception N: from L.. to L.. target L.. type T name V" lines and the body's faults.
/// The methods that the body's `newfunction` instructions create are appended to
/// `functionLiterals` when one is given.
void appendBodyListing(std::string& out, const AbcFile& file, AbcNames& names, std::uint32_t bodyIndex,
                       const std::string& indent, std::vector<std::uint32_t>* functionLiterals = nullptr);

/// The same listing without an indent in the form the body assembler reads back exactly: an
/// operand whose text does not name its pool entry alone (another entry prints the same, or
/// the text has blanks at its ends) gets "#" and the entry's index after it, or instead of it
/// when the text would break the line.
void appendBodyAssembly(std::string& out, const AbcFile& file, AbcNames& names, AbcPoolTexts& texts,
                        std::uint32_t bodyIndex);

/// The same header and faults, then each instruction's bytes as one raw byte line of
/// `kind` after its offset, and the bytes after the last instruction it could decode in
/// lines of 16.
void appendBodyBytes(std::string& out, const AbcFile& file, std::uint32_t bodyIndex, const std::string& indent,
                     ByteCodeKind kind, std::vector<std::uint32_t>* functionLiterals = nullptr);

/// The operand text of one instruction (without the mnemonic), as the listing shows it.
std::string operandText(const AbcInstruction& instruction, const AbcFile& file, AbcNames& names);

}  // namespace orvane
