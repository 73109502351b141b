#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{4, " ActionDivide\n", "/", "/", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionDivide::ActionDivide(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x0D, data, size, kTexts) {}

}  // namespace orvane
