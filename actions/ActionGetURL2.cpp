#include "actions/ExpressionTable.h"
#include "actions/FrameActions.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionGetURL2\n";
}  // namespace

ActionGetURL2::ActionGetURL2(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x9A, data, size) {
  BitReader body = readerAt(3);
  m_method = static_cast<std::int8_t>(body.readU8());
  if (body.exhausted()) markTruncated();
}

int ActionGetURL2::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (truncated()) return renderTruncated(*table);
  const std::string target = ExpressionTable::StackText(table->PopValue());
  const std::string url = ExpressionTable::StackText(table->PopValue());
  const char* closing = " )";
  if (m_method == 1) closing = " , vars=GET)";
  if (m_method == 2) closing = " , vars=POST)";
  const bool v4 = isVersion4(version);
  std::string line;
  if ((url != "\"\"" && !url.empty()) || (m_method >= 0 && m_method <= 2)) {
    line = (v4 ? "Get URL (" : " getURL (") + url;
    if (target != "\"\"") line += " ,window=" + target;
  } else {
    line = (v4 ? "UnLoad Movie( " : "unloadMovie ( ") + target;
  }
  appendResolved(*table, line + closing);
  return 1;
}

std::string ActionGetURL2::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + "\t[Method: " + std::to_string(m_method) + "]\n";
}

}  // namespace orvane
