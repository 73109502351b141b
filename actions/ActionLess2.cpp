#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{5, " ActionLess2\n", "<", "<", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionLess2::ActionLess2(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x48, data, size, kTexts) {}

}  // namespace orvane
