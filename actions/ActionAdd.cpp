#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{4, " ActionAdd\n", "+", "+", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionAdd::ActionAdd(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x0A, data, size, kTexts) {}

}  // namespace orvane
