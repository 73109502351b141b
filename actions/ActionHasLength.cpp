#include "actions/FrameActions.h"

namespace orvane {

ActionHasLength::ActionHasLength(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x80, data, size) {}

int ActionHasLength::Render(ExpressionTable* table, int /*version*/) { return table == nullptr ? 0 : 1; }

std::string ActionHasLength::ByteCodeText() const { return codeText() + " ActionHasLength\n"; }

}  // namespace orvane
