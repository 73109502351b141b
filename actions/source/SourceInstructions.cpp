#include "actions/source/SourceInstructions.h"

#include <algorithm>

namespace orvane {

namespace {

/// Whether a push record's items include register 0; unknown item types end the walk.
bool pushesRegister0(std::span<const std::uint8_t> body) {
  std::size_t at = 0;
  while (at < body.size()) {
    const std::uint8_t type = body[at++];
    std::size_t size = 0;
    switch (type) {
      case 0:
        while (at + size < body.size() && body[at + size] != 0) ++size;
        ++size;
        break;
      case 1: case 7: size = 4; break;
      case 2: case 3: size = 0; break;
      case 4:
        if (at < body.size() && body[at] == 0) return true;
        size = 1;
        break;
      case 5: case 8: size = 1; break;
      case 6: size = 8; break;
      case 9: size = 2; break;
      default: return false;
    }
    at += size;
  }
  return false;
}

std::vector<std::uint8_t> recordCodes(const ActionList& records) {
  std::vector<std::uint8_t> codes;
  codes.reserve(records.size());
  for (const auto& record : records) codes.push_back(record->size() > 0 ? record->bytes()[0] : record->code());
  return codes;
}

FlowKind kindOf(std::uint8_t code) {
  switch (code) {
    case op::kIf: return FlowKind::kBranch;
    case op::kJump: return FlowKind::kJump;
    case 0x2A:  // ActionThrow
    case 0x3E:  // ActionReturn
      return FlowKind::kEnd;
    default: return FlowKind::kPlain;
  }
}

FlowStream recordFlow(const ActionList& records, const std::vector<std::uint8_t>& codes) {
  std::vector<FlowInstruction> code;
  std::vector<std::int64_t> targets;
  code.reserve(codes.size());
  targets.reserve(codes.size());
  std::uint32_t length = 0;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    FlowInstruction instruction;
    instruction.offset = length;
    instruction.size = records[i]->size();
    instruction.kind = kindOf(codes[i]);
    length += instruction.size;
    // A branch's field: a signed offset from the end of the record; a branch too short to
    // hold it goes nowhere.
    std::int64_t target = -1;
    if (instruction.kind == FlowKind::kBranch || instruction.kind == FlowKind::kJump) {
      const std::span<const std::uint8_t> bytes = records[i]->bytes();
      if (bytes.size() >= 5) {
        const auto delta = static_cast<std::int16_t>(bytes[3] | (bytes[4] << 8));
        target = std::int64_t{instruction.offset} + instruction.size + delta;
      }
    }
    code.push_back(instruction);
    targets.push_back(target);
  }
  return FlowStream(std::move(code), targets, {}, length);
}

}  // namespace

InstructionStream::InstructionStream(const ActionList& records)
    : m_records(records), m_codes(recordCodes(records)), m_flow(recordFlow(records, m_codes)) {
  m_scratchReadNext.assign(m_codes.size() + 1, false);
  for (std::size_t i = m_codes.size(); i-- > 0;) {
    if (m_codes[i] == op::kPush && pushesRegister0(body(i))) {
      m_scratchReadNext[i] = true;
    } else if (m_codes[i] == op::kStoreRegister && !body(i).empty() && body(i)[0] == 0) {
      m_scratchReadNext[i] = false;
    } else {
      m_scratchReadNext[i] = m_scratchReadNext[i + 1];
    }
  }
}

Instruction InstructionStream::operator[](std::size_t index) const {
  const FlowInstruction& flow = m_flow[index];
  Instruction instruction;
  instruction.target = flow.target;
  instruction.loopEnd = flow.loopEnd;
  instruction.offset = flow.offset;
  instruction.size = flow.size;
  instruction.code = m_codes[index];
  instruction.isTarget = flow.isTarget;
  return instruction;
}

std::span<const std::uint8_t> InstructionStream::body(std::size_t index) const {
  if (m_codes[index] < 0x80 || m_flow[index].size < 3) return {};
  return m_records[index]->bytes().subspan(3);
}

bool InstructionStream::isExpressionCode(std::size_t index) const {
  switch (m_codes[index]) {
    case 0x8A: case 0x8B: case 0x8D: case 0x8E: case 0x8F: case 0x94: case 0x9B: case op::kSetTarget2:
      return false;
    default:
      return m_flow[index].loopEnd == kNoIndex;
  }
}

bool InstructionStream::scratchUnreadFrom(std::size_t index) const {
  return index >= m_scratchReadNext.size() || !m_scratchReadNext[index];
}

}  // namespace orvane
