// One decoded AVM2 instruction, and the decoding of a method body's code into them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "abc/AbcOpcodes.h"

namespace orvane {

/// The unit every reader of method code works on (listing now, decompiling later).
struct AbcInstruction {
  std::uint32_t offset = 0;  // from the start of the code
  std::uint32_t length = 0;
  std::uint8_t code = 0;
  /// The operands in the order of the opcode's table entry. A branch holds its target as
  /// an offset from the start of the code (it may lie outside the code).
  std::array<std::int64_t, 4> operands{};
  /// lookupswitch: the default target, then the case targets, from the start of the code.
  std::vector<std::int64_t> switchTargets;

  const AbcOpcode& opcode() const { return abcOpcode(code); }
};

/// Why decoding ended.
enum class AbcCodeEnd : std::uint8_t {
  kComplete,
  /// A byte that is no instruction; it is kept as the last instruction, with length 1.
  kUnknownOpcode,
  /// An instruction whose operands run past the code; it is not kept.
  kTruncated,
};

struct AbcDecodedCode {
  std::vector<AbcInstruction> instructions;
  AbcCodeEnd end = AbcCodeEnd::kComplete;
  /// Unless complete: where the undecoded rest begins, and for a truncated one why.
  std::uint32_t stopOffset = 0;
  std::string fault;
};

AbcDecodedCode decodeInstructions(std::span<const std::uint8_t> code);

}  // namespace orvane
