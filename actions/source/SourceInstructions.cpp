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
}  // namespace

InstructionStream::InstructionStream(const ActionList& records) : m_records(records) {
  m_code.reserve(records.size());
  for (const auto& record : records) {
    Instruction instruction;
    // The record's own byte: the class of ActionStringEquals is the one of ActionEquals.
    instruction.code = record->size() > 0 ? record->bytes()[0] : record->code();
    instruction.offset = m_length;
    instruction.size = record->size();
    m_length += record->size();
    m_code.push_back(instruction);
  }
  m_scratchReadNext.assign(m_code.size() + 1, false);
  for (std::size_t i = m_code.size(); i-- > 0;) {
    const Instruction& instruction = m_code[i];
    if (instruction.code == op::kPush && pushesRegister0(body(i))) {
      m_scratchReadNext[i] = true;
    } else if (instruction.code == op::kStoreRegister && !body(i).empty() && body(i)[0] == 0) {
      m_scratchReadNext[i] = false;
    } else {
      m_scratchReadNext[i] = m_scratchReadNext[i + 1];
    }
  }
  for (std::size_t i = 0; i < m_code.size(); ++i) {
    Instruction& branch = m_code[i];
    if ((branch.code != op::kJump && branch.code != op::kIf) || body(i).size() < 2) continue;
    branch.target = static_cast<std::uint32_t>(indexAt(branchOffset(i)));
    if (branch.target == kNoIndex || branch.target == m_code.size()) continue;
    Instruction& landing = m_code[branch.target];
    landing.isTarget = true;
    if (branch.target <= i && (landing.loopEnd == kNoIndex || landing.loopEnd < i))
      landing.loopEnd = static_cast<std::uint32_t>(i);
  }
}

std::span<const std::uint8_t> InstructionStream::body(std::size_t index) const {
  const Instruction& instruction = m_code[index];
  if (instruction.code < 0x80 || instruction.size < 3) return {};
  return m_records[index]->bytes().subspan(3);
}

bool InstructionStream::isExpressionCode(std::size_t index) const {
  switch (m_code[index].code) {
    case 0x8A: case 0x8B: case 0x8D: case 0x8E: case 0x8F: case 0x94: case 0x9B: case op::kSetTarget2:
      return false;
    default:
      return m_code[index].loopEnd == kNoIndex;
  }
}

std::int64_t InstructionStream::branchOffset(std::size_t index) const {
  const Instruction& branch = m_code[index];
  const std::span<const std::uint8_t> fields = body(index);
  if (fields.size() < 2) return -1;
  const auto delta = static_cast<std::int16_t>(fields[0] | (fields[1] << 8));
  return static_cast<std::int64_t>(branch.offset) + branch.size + delta;
}

std::size_t InstructionStream::indexFrom(std::int64_t offset) const {
  if (offset <= 0) return 0;
  const auto found = std::lower_bound(m_code.begin(), m_code.end(), offset,
                                      [](const Instruction& instruction, std::int64_t at) { return instruction.offset < at; });
  return static_cast<std::size_t>(found - m_code.begin());
}

std::size_t InstructionStream::indexAt(std::int64_t offset) const {
  if (offset < 0 || offset > m_length) return kNoIndex;
  const std::size_t index = indexFrom(offset);
  if (index == m_code.size()) return offset == m_length ? index : kNoIndex;
  return m_code[index].offset == offset ? index : kNoIndex;
}

bool InstructionStream::scratchUnreadFrom(std::size_t index) const {
  return index >= m_scratchReadNext.size() || !m_scratchReadNext[index];
}

std::uint32_t InstructionStream::offsetOf(std::size_t index) const {
  return index < m_code.size() ? m_code[index].offset : m_length;
}

}  // namespace orvane
