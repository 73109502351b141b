#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{5, " ActionBitURShift\n", nullptr, ">>>", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionBitURShift::ActionBitURShift(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x65, data, size, kTexts) {}

}  // namespace orvane
