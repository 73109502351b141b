#include "actions/ExpressionTable.h"
#include "actions/FunctionActions.h"
#include "actions/Operands.h"

namespace orvane {

ActionInitArray::ActionInitArray(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x42, data, size) {}

int ActionInitArray::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  const long long count = popCount(*table);
  // Every element is followed by a comma, the last one too.
  pushPlain(*table, "[" + popJoined(*table, count, ",") + (count > 0 ? ",]" : "]"));
  return 1;
}

int ActionInitArray::FirstVersion() const { return 5; }

std::string ActionInitArray::ByteCodeText() const { return codeText() + " ActionInitArray\n"; }

}  // namespace orvane
