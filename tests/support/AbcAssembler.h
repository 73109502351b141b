// Assembles method bodies from their listing text for tests, over the one instruction
// table the disassembler uses, into an ABC block of one method.
#pragma once

#include <string>
#include <vector>

#include "tests/support/MovieBuilder.h"

namespace orvane::test {

/// One instruction per line: `mnemonic operands`, operands separated by commas, as the
/// listing shows them; `Lname:` lines mark labels that branches and lookupswitch name.
/// Names (`x`, `flash.display::Sprite`, `@a`) become QNames in the public or the named
/// package namespace (`ns:URI::x` in a user namespace, `?x` a Multiname over the public
/// namespace), texts in double quotes strings, numbers of pushint / pushuint /
/// pushdouble pool entries. Exception lines `exception FROM TO TARGET Type name` add
/// handlers (`*` for an untyped one without a name: a finally).
struct AbcMethodSource {
  std::string code;
  std::vector<std::string> parameterTypes;  // type names, "*" for none
  std::vector<std::string> parameterNames;
  std::string returnType = "*";
  std::uint8_t flags = 0;
  std::uint32_t localCount = 8;
  /// Slot traits of the body (activation objects): `name:Type`, slot ids from 1.
  std::vector<std::string> slots;
  /// Slot traits of the one script (method 0 is its initialiser), the same way.
  std::vector<std::string> scriptSlots;
};

/// A block with the method as method 0 and its body as body 0. The assembly must be valid:
/// an unknown mnemonic or label throws std::invalid_argument.
Bytes assembleAbc(const AbcMethodSource& method);
/// A block with method k and body k for each; the first is the script's initialiser (its
/// `scriptSlots` the script's), the others can be function literals (`newfunction k`).
Bytes assembleAbc(const std::vector<AbcMethodSource>& methods);

}  // namespace orvane::test
