#include "actions/ExpressionTable.h"
#include "actions/StackActions.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionStoreRegister\n";
}  // namespace

ActionStoreRegister::ActionStoreRegister(const std::uint8_t* data, std::uint32_t size)
    : ActionRecord(0x87, data, size) {
  BitReader body = readerAt(3);
  m_register = body.readU8();
  if (body.exhausted()) markTruncated();
}

int ActionStoreRegister::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) renderLaterAction(*table);
  return 1;
}

std::string ActionStoreRegister::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + "\t[Reg No. = " + std::to_string(m_register) + " ]\n";
}

}  // namespace orvane
