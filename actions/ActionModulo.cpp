#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{5, " ActionModulo\n", nullptr, "%", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionModulo::ActionModulo(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x3F, data, size, kTexts) {}

}  // namespace orvane
