#include "actions/ExpressionTable.h"
#include "actions/FrameActions.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionGotoFrame2\n";
}  // namespace

ActionGotoFrame2::ActionGotoFrame2(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x9F, data, size) {
  BitReader body = readerAt(3);
  m_flag = static_cast<std::int8_t>(body.readU8());
  if (body.exhausted()) markTruncated();
}

int ActionGotoFrame2::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (truncated()) return renderTruncated(*table);
  const std::string frame = ExpressionTable::StackText(table->PopValue());
  const bool play = m_flag == 1;
  std::string prefix;
  if (isVersion4(version)) {
    prefix = play ? "Go to and Play(" : "Go to and Stop(";
  } else {
    prefix = play ? "gotoAndPlay (" : "gotoAndStop (";
  }
  appendResolved(*table, prefix + frame + ")");
  return 1;
}

std::string ActionGotoFrame2::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + "\t[Flag: " + std::to_string(m_flag) + "]\n";
}

}  // namespace orvane
