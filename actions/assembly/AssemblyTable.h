// The one table of action records that the assembler and the disassembler share: the
// record name of every code and the layout of its fields.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvane {

/// How a record's fields are laid out after its code and length, which also says how the
/// assembly text writes them.
enum class OperandForm : std::uint8_t {
  None,          // no fields
  Byte,          // u8
  Word,          // u16
  FrameAndSkip,  // u16 frame, u8 skip count (WaitForFrame)
  Text,          // one zero-terminated string
  TwoTexts,      // two zero-terminated strings (GetURL)
  Pool,          // u16 count, then that many strings (ConstantPool)
  Items,         // typed push items up to the end of the record
  Branch,        // s16 offset from the end of the record
  SceneFrame,    // u8 flags, then a u16 scene bias when flag 2 is set (GotoFrame2)
  Function,      // name, u16 count, parameter names, u16 code size (DefineFunction)
  Function2,     // name, u16 count, u8 registers, u16 flags, parameters, u16 code size
  WithBlock,     // u16 size of the body
  TryBlock,      // u8 flags, three u16 sizes, the catch name or register
};

struct AssemblyInstruction {
  std::uint8_t code = 0;
  std::string_view name;  // the action's class name without "Action"
  OperandForm form = OperandForm::None;
};

/// The entry of `code`; none for a code without a record class.
const AssemblyInstruction* instructionOfCode(std::uint8_t code);
/// The entry whose name is `name`, ignoring the case of ASCII letters; none when no record
/// has that name.
const AssemblyInstruction* instructionNamed(std::string_view name);

}  // namespace orvane
