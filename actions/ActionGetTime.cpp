#include "actions/ExpressionTable.h"
#include "actions/FunctionActions.h"

namespace orvane {

ActionGetTime::ActionGetTime(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x34, data, size) {}

int ActionGetTime::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  pushPlain(*table, isVersion4(version) ? " Get Timer " : " getTimer ()");
  return 1;
}

int ActionGetTime::FirstVersion() const { return 4; }

std::string ActionGetTime::ByteCodeText() const { return codeText() + " ActionGetTime\n"; }

}  // namespace orvane
