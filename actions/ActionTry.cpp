#include <algorithm>

#include "actions/ControlActions.h"
#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"

namespace orvane {

namespace {

constexpr const char* kLabel = " ActionTry\n";
constexpr std::string_view kFinallyLine = "finally {";

}  // namespace

ActionTry::ActionTry(const std::uint8_t* data, std::uint32_t size) : ActionRecord(kCode, data, size) {
  BitReader fields = readerAt(3);
  m_flags = fields.readU8();
  m_trySize = fields.readU16();
  m_catchSize = fields.readU16();
  m_finallySize = fields.readU16();
  if (fields.exhausted()) {
    markTruncated();
    return;
  }
  if (catchesInRegister()) {
    m_catchRegister = fields.readU8();
    if (fields.exhausted()) {
      // Without a catch block nothing needs the register.
      if (hasCatchBlock()) markTruncated();
      return;
    }
    if (hasCatchBlock()) m_catchText = "register" + std::to_string(m_catchRegister);
  } else {
    const std::optional<std::string_view> name = terminatedTextAt(10);
    if (!name) {
      if (hasCatchBlock()) markTruncated();
      return;
    }
    m_catchName = *name;
    if (hasCatchBlock()) m_catchText = std::string(*name);
  }
  m_catchLine = "catch (" + m_catchText + ") {";
}

int ActionTry::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  if (truncated()) return renderTruncated(*table);
  // Each block's end closes it and opens the next one present; an end beyond the block
  // is never reached and closes at the end of the translation.
  const auto capped = [](std::uint64_t end) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(end, ExpressionTable::kNeverReached));
  };
  std::uint64_t end = std::uint64_t{table->CurrentOffset()} + size() + m_trySize;
  std::string_view next = hasCatchBlock() ? std::string_view(m_catchLine)
                                          : (hasFinallyBlock() ? kFinallyLine : std::string_view());
  table->AddMarker(kCode, capped(end), next);
  if (hasCatchBlock()) {
    end += m_catchSize;
    table->AddMarker(kCode, capped(end), hasFinallyBlock() ? kFinallyLine : std::string_view());
  }
  if (hasFinallyBlock()) {
    end += m_finallySize;
    table->AddMarker(kCode, capped(end), {});
  }
  table->AppendLine("try {");
  table->Indent();
  return 1;
}

std::string ActionTry::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel +
         formatText("\t[TrySize = %d, CatchSize = %d, FinallySize = %d, Catch = ", m_trySize, m_catchSize,
                    m_finallySize) +
         m_catchText + "]\n";
}

}  // namespace orvane
