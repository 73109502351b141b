#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{4, " ActionOr\n", ") or (", ") or (", OperatorAction::Parentheses::Always};
}  // namespace

ActionOr::ActionOr(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x11, data, size, kTexts) {}

}  // namespace orvane
