#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{5, " ActionBitOr\n", nullptr, "|", OperatorAction::Parentheses::AfterOperator};
}  // namespace

ActionBitOr::ActionBitOr(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x61, data, size, kTexts) {}

}  // namespace orvane
