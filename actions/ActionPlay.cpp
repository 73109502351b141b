#include "actions/ExpressionTable.h"
#include "actions/FrameActions.h"
#include "actions/TextFormat.h"

namespace orvane {

ActionPlay::ActionPlay(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x06, data, size) {}

int ActionPlay::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  const std::uint8_t last = table->LastActionCode();
  if (last == 0x81 || last == 0x8C) {
    std::string line = table->LastLine();
    replaceAll(line, "Stop", "Play");
    table->ReplaceLastLine(line);
  } else {
    table->AppendLine(isVersion4(version) ? "Play()" : "play ();");
  }
  return 1;
}

std::string ActionPlay::ByteCodeText() const { return codeText() + " ActionPlay\n"; }

}  // namespace orvane
