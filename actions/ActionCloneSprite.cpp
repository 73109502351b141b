#include "actions/ClipActions.h"
#include "actions/ExpressionTable.h"

namespace orvane {

ActionCloneSprite::ActionCloneSprite(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x24, data, size) {}

int ActionCloneSprite::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  const std::string depth = ExpressionTable::StackText(table->PopValue());
  const std::string target = ExpressionTable::StackText(table->PopValue());
  const std::string source = ExpressionTable::StackText(table->PopValue());
  const char* prefix = isVersion4(version) ? "Duplicate Movie Clip ( " : "duplicateMovieClip ( ";
  appendResolved(*table, prefix + source + " , " + target + " , " + depth + " )");
  return 1;
}

std::string ActionCloneSprite::ByteCodeText() const { return codeText() + " ActionCloneSprite\n"; }

}  // namespace orvane
