#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{4, " ActionLess\n", "<", "<", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionLess::ActionLess(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x0F, data, size, kTexts) {}

}  // namespace orvane
