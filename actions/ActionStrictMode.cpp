#include "actions/ClassActions.h"
#include "actions/ExpressionTable.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionStrictMode\n";
}  // namespace

ActionStrictMode::ActionStrictMode(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x89, data, size) {
  BitReader body = readerAt(3);
  m_mode = body.readU8();
  if (body.exhausted()) markTruncated();
}

int ActionStrictMode::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  return truncated() ? renderTruncated(*table) : 1;
}

std::string ActionStrictMode::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + "\t[Mode: " + std::to_string(m_mode) + "]\n";
}

}  // namespace orvane
