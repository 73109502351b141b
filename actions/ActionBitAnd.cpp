#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{5, "ActionBitAnd\n", nullptr, "&", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionBitAnd::ActionBitAnd(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x60, data, size, kTexts) {}

}  // namespace orvane
