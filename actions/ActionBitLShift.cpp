#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{5, " ActionBitLShift\n", nullptr, "<<", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionBitLShift::ActionBitLShift(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x63, data, size, kTexts) {}

}  // namespace orvane
