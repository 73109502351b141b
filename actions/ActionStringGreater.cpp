#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{6, " ActionStringGreater\n", nullptr, " > ", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionStringGreater::ActionStringGreater(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x68, data, size, kTexts) {}

}  // namespace orvane
