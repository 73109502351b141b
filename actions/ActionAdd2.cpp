#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{5, " ActionAdd2\n", nullptr, "+", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionAdd2::ActionAdd2(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x47, data, size, kTexts) {}

}  // namespace orvane
