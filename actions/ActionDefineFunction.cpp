#include <algorithm>

#include "actions/ControlActions.h"
#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionDefineFunction\n";
}  // namespace

ActionDefineFunction::ActionDefineFunction(const std::uint8_t* data, std::uint32_t size)
    : ActionRecord(0x9B, data, size) {
  std::uint32_t offset = 3;
  const std::optional<std::string_view> name = terminatedTextAt(offset);
  if (!name) {
    markTruncated();
    return;
  }
  m_name = *name;
  offset += static_cast<std::uint32_t>(name->size()) + 1;
  BitReader count = readerAt(offset);
  m_parameterCount = count.readU16();
  offset += 2;
  for (std::uint16_t i = 0; i < m_parameterCount && !count.exhausted(); ++i) {
    const std::optional<std::string_view> parameter = terminatedTextAt(offset);
    if (!parameter) {
      markTruncated();
      return;
    }
    m_parameters.push_back(*parameter);
    offset += static_cast<std::uint32_t>(parameter->size()) + 1;
  }
  BitReader codeSize = readerAt(offset);
  m_codeSize = codeSize.readU16();
  if (count.exhausted() || codeSize.exhausted()) markTruncated();
}

int ActionDefineFunction::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderFlash5(*table);
    return 1;
  }
  if (truncated()) return renderTruncated(*table);
  std::string line = "function " + std::string(m_name) + "(";
  for (std::size_t i = 0; i < m_parameters.size(); ++i) {
    if (i > 0) line += " ,";
    line += m_parameters[i];
  }
  // The full offset: bodies beyond 32 KB into the block still end where they end.
  const std::uint64_t end = std::uint64_t{table->CurrentOffset()} + size() + m_codeSize;
  table->AddMarker(code(), static_cast<std::uint32_t>(std::min<std::uint64_t>(end, ExpressionTable::kNeverReached)),
                   marker::kFunctionEnd);
  table->AppendLine(line + "){");
  table->Indent();
  return 1;
}

std::string ActionDefineFunction::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  std::string listing = codeText() + kLabel + "\t[" +
                        formatText("Name = %s, NumParams = %d,CodeSize = %d", std::string(m_name).c_str(),
                                   m_parameterCount, m_codeSize);
  for (std::size_t i = 0; i < m_parameters.size(); ++i) {
    listing += ",Param" + std::to_string(i + 1) + " = " + std::string(m_parameters[i]);
  }
  return listing + " ]\n";
}

}  // namespace orvane
