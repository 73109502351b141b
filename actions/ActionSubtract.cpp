#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{4, " ActionSubtract\n", "-", "-", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionSubtract::ActionSubtract(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x0B, data, size, kTexts) {}

}  // namespace orvane
