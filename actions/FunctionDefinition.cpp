#include <algorithm>

#include "actions/ControlActions.h"
#include "actions/ExpressionTable.h"

namespace orvane {

std::optional<std::string_view> FunctionDefinition::readText(std::uint32_t& offset) {
  const std::optional<std::string_view> text = terminatedTextAt(offset);
  if (!text) {
    markTruncated();
    return std::nullopt;
  }
  offset += static_cast<std::uint32_t>(text->size()) + 1;
  return text;
}

int FunctionDefinition::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  if (truncated()) return renderTruncated(*table);
  std::string line = "function " + std::string(m_name) + "(";
  for (std::size_t i = 0; i < m_parameterNames.size(); ++i) {
    if (i > 0) line += " ,";
    line += m_parameterNames[i];
  }
  // The full offset: bodies beyond 32 KB into the block still end where they end.
  const std::uint64_t end = std::uint64_t{table->CurrentOffset()} + size() + m_codeSize;
  const auto target = static_cast<std::uint32_t>(std::min<std::uint64_t>(end, ExpressionTable::kNeverReached));
  table->AddMarker(code(), target, marker::kFunctionEnd);
  table->BeginRegisterScope(target, bodyRegisters());
  table->AppendLine(line + "){");
  table->Indent();
  return 1;
}

}  // namespace orvane
