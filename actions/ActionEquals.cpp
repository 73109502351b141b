#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{4, " ActionEquals\n", "=", "==", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionEquals::ActionEquals(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x0E, data, size, kTexts) {}

}  // namespace orvane
