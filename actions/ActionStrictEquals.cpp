#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{6, " ActionStrictEquals\n", nullptr, "===", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionStrictEquals::ActionStrictEquals(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x66, data, size, kTexts) {}

}  // namespace orvane
