#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{4, " ActionStringLess\n", " < ", " < ", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionStringLess::ActionStringLess(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x29, data, size, kTexts) {}

}  // namespace orvane
