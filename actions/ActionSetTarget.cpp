#include "actions/ControlActions.h"
#include "actions/ExpressionTable.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionSetTarget\n";
}  // namespace

ActionSetTarget::ActionSetTarget(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x8B, data, size) {
  const std::optional<std::string_view> name = terminatedTextAt(3);
  if (name) {
    m_targetName = *name;
  } else {
    markTruncated();
  }
}

int ActionSetTarget::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (truncated()) return renderTruncated(*table);
  const bool v4 = isVersion4(version);
  if (!m_targetName.empty() && m_targetName != "\"\"") {
    const std::string line =
        (v4 ? "Begin Tell Target( \"" : "tellTarget ( \"") + std::string(m_targetName) + "\" )" + (v4 ? "" : "{");
    table->AppendLine(table->ResolveText(line));
    table->Indent();
  } else {
    // An empty target leaves the tell-target block.
    table->Outdent();
    table->AppendLine(v4 ? "End Tell Target" : "}");
  }
  return 1;
}

std::string ActionSetTarget::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + "\t[Target: " + std::string(m_targetName) + "]\n";
}

}  // namespace orvane
