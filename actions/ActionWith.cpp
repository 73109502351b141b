#include "actions/ControlActions.h"
#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionWith\n";
}  // namespace

ActionWith::ActionWith(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x94, data, size) {
  BitReader body = readerAt(3);
  m_blockSize = body.readU16();
  if (body.exhausted()) markTruncated();
}

int ActionWith::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  if (truncated()) return renderTruncated(*table);
  const std::string object = table->ResolveText(ExpressionTable::StackText(table->PopValue()));
  table->AppendLine("with(" + object + "){\n" + std::string(blockText()) + "\n}");
  return 1;
}

std::string ActionWith::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + "\t[ " + formatText("Size = %d, Block = ", m_blockSize) + std::string(blockText()) + " ]\n";
}

}  // namespace orvane
