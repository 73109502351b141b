#include "actions/ExpressionTable.h"
#include "actions/StackActions.h"

namespace orvane {

ActionPushDuplicate::ActionPushDuplicate(const std::uint8_t* data, std::uint32_t size)
    : ActionRecord(0x4C, data, size) {}

int ActionPushDuplicate::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  m_result = table->PopValue();
  // The second entry's text is the first entry's placeholder.
  table->PushValue(m_result, true);
  table->PushValue(m_result, true);
  return 1;
}

std::string ActionPushDuplicate::ByteCodeText() const { return codeText() + " ActionPushDuplicate\n"; }

}  // namespace orvane
