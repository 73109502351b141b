#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{6, " ActionGreater\n", nullptr, ">", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionGreater::ActionGreater(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x67, data, size, kTexts) {}

}  // namespace orvane
