#include "actions/ControlActions.h"
#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionWaitForFrame\n";
}  // namespace

ActionWaitForFrame::ActionWaitForFrame(const std::uint8_t* data, std::uint32_t size)
    : ActionRecord(0x8A, data, size) {
  BitReader body = readerAt(3);
  m_frame = body.readU16();
  m_skipCount = body.readU8();
  if (body.exhausted()) markTruncated();
}

int ActionWaitForFrame::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (truncated()) return renderTruncated(*table);
  table->AddMarker(code(), table->OffsetAfterFollowing(m_skipCount), marker::kFrameLoadedEnd);
  table->AppendLine(formatText(isVersion4(version) ? "%s(%d)" : "%s (%d){", marker::kFrameLoadedStart.data(), m_frame));
  table->Indent();
  return 1;
}

std::string ActionWaitForFrame::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + formatText("\t[Frame: %d,Skip: %d]\n", m_frame, m_skipCount);
}

}  // namespace orvane
