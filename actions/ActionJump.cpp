#include "actions/ControlActions.h"

namespace orvane {

ActionJump::ActionJump(const std::uint8_t* data, std::uint32_t size) : BranchAction(0x99, data, size, " ActionJump\n") {}

int ActionJump::Render(ExpressionTable* table, int /*version*/) { return table == nullptr ? 0 : 1; }

}  // namespace orvane
