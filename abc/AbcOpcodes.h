// The one table of AVM2 instructions: mnemonic and operand layout of every opcode.
#pragma once

#include <array>
#include <cstdint>

namespace orvane {

/// What an operand is, which also says how it is encoded.
enum class AbcOperandKind : std::uint8_t {
  kByte,          // u8: a plain number (scope index, debug type)
  kSignedByte,    // u8 taken as signed (pushbyte)
  kShort,         // u30 whose low 16 bits are taken as signed (pushshort)
  kCount,         // u30: argument count or plain number
  kRegister,      // u30: local register
  kRegisterByte,  // u8: local register (debug)
  kSlot,          // u30: slot index
  kLine,          // u30: source line
  kInt,           // u30 index into the pools' tables below
  kUInt,
  kDouble,
  kString,
  kNamespace,
  kMultiname,
  kMethod,
  kClass,
  kException,
  kBranch,        // s24: offset from the end of the instruction
};

struct AbcOpcode {
  const char* mnemonic = nullptr;  // none: not an instruction
  std::uint8_t operandCount = 0;
  std::array<AbcOperandKind, 4> operands{};
  /// lookupswitch: s24 default, u30 case count, then count + 1 s24 case offsets, all
  /// from the start of the instruction.
  bool isSwitch = false;
};

namespace opcode {
inline constexpr std::uint8_t kLookupSwitch = 0x1B;
inline constexpr std::uint8_t kNewFunction = 0x40;
}  // namespace opcode

/// The entry of `code`; its mnemonic is none for a byte that is no instruction.
const AbcOpcode& abcOpcode(std::uint8_t code);

}  // namespace orvane
