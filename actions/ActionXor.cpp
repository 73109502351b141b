#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{5, " ActionXor\n", nullptr, "^", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionXor::ActionXor(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x62, data, size, kTexts) {}

}  // namespace orvane
