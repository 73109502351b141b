// Assembles the text of one method body, as the listing shows it, into its code and
// exception table.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcOperandPool.h"
#include "actions/assembly/AssemblyLexer.h"

namespace orvane {

struct AbcAssembledBody {
  std::vector<std::uint8_t> code;
  std::vector<AbcException> exceptions;
};

/// One instruction a line (an offset before the mnemonic is allowed and ignored), `NAME:`
/// lines for labels, `exception N: from L to L target L type T name V` lines, `bytes HH ..`
/// and `op 0xHH` for raw bytes, `//` comment lines. Operands as the listing shows them:
/// numbers, labels, `L, [L, L]` for lookupswitch, `N (name)` for methods and classes, pool
/// entries by their text (see `AbcOperandPool::resolve`). Where no label can stand (inside an
/// instruction, outside the code) a branch is written as its distance (`jump +12`, from the
/// end of the instruction; from its start for lookupswitch) and an exception's offset as `@N`. `methodCount` and `classCount`
/// bound the method and class operands. False with `error` at the line and column of the
/// first fault; the pool may then hold entries that nothing uses, so it is discarded.
[[nodiscard]] bool assembleAbcBody(std::string_view text, AbcOperandPool& pool, std::size_t methodCount,
                                   std::size_t classCount, AbcAssembledBody& out, AssemblyError& error);

}  // namespace orvane
