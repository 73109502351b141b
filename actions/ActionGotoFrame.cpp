#include "actions/ExpressionTable.h"
#include "actions/FrameActions.h"
#include "actions/TextFormat.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionGotoFrame\n";
}  // namespace

ActionGotoFrame::ActionGotoFrame(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x81, data, size) {
  BitReader body = readerAt(3);
  m_frameIndex = body.readU16();
  if (body.exhausted()) markTruncated();
}

int ActionGotoFrame::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (truncated()) return renderTruncated(*table);
  table->AppendLine(formatText(isVersion4(version) ? "Go to and Stop(%d)" : "gotoAndStop (%d);", m_frameIndex));
  return 1;
}

std::string ActionGotoFrame::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + formatText("\t[Frame Index: %d]\n", m_frameIndex);
}

}  // namespace orvane
