#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{4, " ActionAnd\n", ") and (", ") and (", OperatorAction::Parentheses::Always};
}  // namespace

ActionAnd::ActionAnd(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x10, data, size, kTexts) {}

}  // namespace orvane
