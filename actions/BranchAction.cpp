#include "actions/ControlActions.h"

namespace orvane {

BranchAction::BranchAction(std::uint8_t code, const std::uint8_t* data, std::uint32_t size, const char* label)
    : ActionRecord(code, data, size), m_label(label) {
  BitReader body = readerAt(3);
  m_branchOffset = static_cast<std::int16_t>(body.readU16());
  if (body.exhausted()) markTruncated();
}

std::string BranchAction::ByteCodeText() const {
  if (truncated()) return truncatedText(m_label);
  return codeText() + m_label + "\t[BranchOffset: " + std::to_string(m_branchOffset) + "]\n";
}

}  // namespace orvane
