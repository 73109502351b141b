#include "abcsource/AbcFlow.h"

namespace orvane {

namespace {

FlowKind kindOf(const AbcInstruction& instruction) {
  switch (instruction.code) {
    case 0x10: return FlowKind::kJump;
    case opcode::kLookupSwitch: return FlowKind::kSwitch;
    case 0x03:  // throw
    case 0x47:  // returnvoid
    case 0x48:  // returnvalue
      return FlowKind::kEnd;
    default:
      return instruction.opcode().operandCount > 0 && instruction.opcode().operands[0] == AbcOperandKind::kBranch
                 ? FlowKind::kBranch
                 : FlowKind::kPlain;
  }
}

}  // namespace

FlowStream abcFlow(const AbcDecodedCode& decoded, const AbcMethodBody& body) {
  std::vector<FlowInstruction> code;
  std::vector<std::int64_t> targets;
  std::vector<std::int64_t> landings;
  code.reserve(decoded.instructions.size());
  targets.reserve(decoded.instructions.size());
  for (const AbcInstruction& instruction : decoded.instructions) {
    FlowInstruction flow;
    flow.offset = instruction.offset;
    flow.size = instruction.length;
    flow.kind = kindOf(instruction);
    code.push_back(flow);
    targets.push_back(flow.kind == FlowKind::kBranch || flow.kind == FlowKind::kJump ? instruction.operands[0] : -1);
    for (const std::int64_t target : instruction.switchTargets) landings.push_back(target);
  }
  for (const AbcException& entry : body.exceptions) landings.push_back(entry.target);
  // Code after an undecodable rest is not walked: the stream ends at the last whole instruction.
  const std::uint32_t length = decoded.end == AbcCodeEnd::kComplete ? static_cast<std::uint32_t>(body.code.size())
                                                                     : decoded.stopOffset;
  return FlowStream(std::move(code), targets, landings, length);
}

}  // namespace orvane
