#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{5, " ActionEquals2\n", nullptr, "==", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionEquals2::ActionEquals2(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x49, data, size, kTexts) {}

}  // namespace orvane
