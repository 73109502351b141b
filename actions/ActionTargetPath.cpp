#include "actions/VariableActions.h"

namespace orvane {

ActionTargetPath::ActionTargetPath(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x45, data, size) {}

// Renders nothing, in both versions.
int ActionTargetPath::Render(ExpressionTable* table, int /*version*/) { return table == nullptr ? 0 : 1; }

int ActionTargetPath::FirstVersion() const { return 5; }

std::string ActionTargetPath::ByteCodeText() const { return codeText() + " ActionTargetPath\n"; }

}  // namespace orvane
