#include "decompiler/FlowStream.h"

#include <algorithm>

namespace orvane {

FlowStream::FlowStream(std::vector<FlowInstruction> code, const std::vector<std::int64_t>& targets,
                       const std::vector<std::int64_t>& landings, std::uint32_t length)
    : m_code(std::move(code)), m_rawTargets(m_code.size(), -1), m_length(length) {
  for (std::size_t i = 0; i < m_code.size() && i < targets.size(); ++i) {
    FlowInstruction& branch = m_code[i];
    if (branch.kind != FlowKind::kBranch && branch.kind != FlowKind::kJump) continue;
    m_rawTargets[i] = targets[i];
    branch.target = static_cast<std::uint32_t>(indexAt(targets[i]));
    if (branch.target == kNoIndex || branch.target == m_code.size()) continue;
    FlowInstruction& landing = m_code[branch.target];
    landing.isTarget = true;
    if (branch.target <= i && (landing.loopEnd == kNoIndex || landing.loopEnd < i))
      landing.loopEnd = static_cast<std::uint32_t>(i);
  }
  for (const std::int64_t offset : landings) {
    const std::size_t index = indexAt(offset);
    if (index != kNoIndex && index < m_code.size()) m_code[index].isTarget = true;
  }
}

std::size_t FlowStream::indexFrom(std::int64_t offset) const {
  if (offset <= 0) return 0;
  const auto found = std::lower_bound(m_code.begin(), m_code.end(), offset,
                                      [](const FlowInstruction& instruction, std::int64_t at) { return instruction.offset < at; });
  return static_cast<std::size_t>(found - m_code.begin());
}

std::size_t FlowStream::indexAt(std::int64_t offset) const {
  if (offset < 0 || offset > m_length) return kNoIndex;
  const std::size_t index = indexFrom(offset);
  if (index == m_code.size()) return offset == m_length ? index : kNoIndex;
  return m_code[index].offset == offset ? index : kNoIndex;
}

std::uint32_t FlowStream::offsetOf(std::size_t index) const {
  return index < m_code.size() ? m_code[index].offset : m_length;
}

}  // namespace orvane
