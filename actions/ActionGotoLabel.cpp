#include "actions/ExpressionTable.h"
#include "actions/FrameActions.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionGotoLabel\n";
}  // namespace

ActionGotoLabel::ActionGotoLabel(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x8C, data, size) {
  const std::optional<std::string_view> label = terminatedTextAt(3);
  if (label) {
    m_label = *label;
  } else {
    markTruncated();
  }
}

int ActionGotoLabel::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (truncated()) return renderTruncated(*table);
  const std::string label(m_label);
  table->AppendLine(isVersion4(version) ? "Go to and Stop(\"" + label + "\")" : "gotoAndStop (\"" + label + "\");");
  return 1;
}

std::string ActionGotoLabel::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + "\t[FrameLabel: " + std::string(m_label) + "]\n";
}

}  // namespace orvane
