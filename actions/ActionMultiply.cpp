#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{4, " ActionMultiply\n", "*", "*", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionMultiply::ActionMultiply(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x0C, data, size, kTexts) {}

}  // namespace orvane
