#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{5, " ActionBitRShift\n", nullptr, ">>", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionBitRShift::ActionBitRShift(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x64, data, size, kTexts) {}

}  // namespace orvane
