#include "abc/AbcInstruction.h"

#include "abc/AbcReader.h"

namespace orvane {

namespace {

std::int64_t readOperand(AbcReader& reader, AbcOperandKind kind) {
  switch (kind) {
    case AbcOperandKind::kByte:
    case AbcOperandKind::kRegisterByte: return reader.readU8();
    case AbcOperandKind::kSignedByte: return static_cast<std::int8_t>(reader.readU8());
    case AbcOperandKind::kShort: return static_cast<std::int16_t>(reader.readU32() & 0xFFFF);
    case AbcOperandKind::kBranch: {
      const std::int32_t delta = reader.readS24();
      return static_cast<std::int64_t>(reader.position()) + delta;
    }
    default: return reader.readU30();
  }
}

void readSwitch(AbcReader& reader, AbcInstruction& instruction) {
  const std::int64_t base = instruction.offset;
  instruction.switchTargets.push_back(base + reader.readS24());
  const std::uint32_t cases = reader.readU30();
  if (reader.failed()) return;
  if ((static_cast<std::uint64_t>(cases) + 1) * 3 > reader.remaining()) {
    reader.fail(instruction.offset, "lookupswitch cases run past the code");
    return;
  }
  instruction.switchTargets.reserve(cases + 2);
  for (std::uint32_t i = 0; i <= cases; ++i) instruction.switchTargets.push_back(base + reader.readS24());
}

}  // namespace

AbcDecodedCode decodeInstructions(std::span<const std::uint8_t> code) {
  AbcDecodedCode decoded;
  AbcReader reader(code);
  decoded.instructions.reserve(code.size() / 2 + 1);
  while (reader.position() < reader.size()) {
    AbcInstruction instruction;
    instruction.offset = reader.position();
    instruction.code = reader.readU8();
    const AbcOpcode& opcode = instruction.opcode();
    if (opcode.mnemonic == nullptr) {
      instruction.length = 1;
      decoded.instructions.push_back(std::move(instruction));
      decoded.end = AbcCodeEnd::kUnknownOpcode;
      decoded.stopOffset = reader.position();
      return decoded;
    }
    if (opcode.isSwitch) {
      readSwitch(reader, instruction);
    } else {
      for (std::uint8_t i = 0; i < opcode.operandCount; ++i)
        instruction.operands[i] = readOperand(reader, opcode.operands[i]);
    }
    if (reader.failed()) {
      decoded.end = AbcCodeEnd::kTruncated;
      decoded.stopOffset = instruction.offset;
      decoded.fault = reader.error().message;
      return decoded;
    }
    instruction.length = reader.position() - instruction.offset;
    decoded.instructions.push_back(std::move(instruction));
  }
  return decoded;
}

}  // namespace orvane
