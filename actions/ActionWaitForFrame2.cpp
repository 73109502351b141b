#include "actions/ControlActions.h"
#include "actions/ExpressionTable.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionWaitForFrame2\n";
}  // namespace

ActionWaitForFrame2::ActionWaitForFrame2(const std::uint8_t* data, std::uint32_t size)
    : ActionRecord(0x8D, data, size) {
  BitReader body = readerAt(3);
  m_skipCount = body.readU8();
  if (body.exhausted()) markTruncated();
}

int ActionWaitForFrame2::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (truncated()) return renderTruncated(*table);
  const std::string frame = ExpressionTable::StackText(table->PopValue());
  const std::string line = std::string(marker::kFrameLoadedStart) + "(" + frame + ")" + (isVersion4(version) ? "" : "{");
  table->AddMarker(code(), table->OffsetAfterFollowing(m_skipCount), marker::kFrameLoadedEnd);
  table->AppendLine(table->ResolveText(line));
  table->Indent();
  return 1;
}

std::string ActionWaitForFrame2::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + "\t[SkipCount: " + std::to_string(static_cast<std::int8_t>(m_skipCount)) + "]\n";
}

}  // namespace orvane
