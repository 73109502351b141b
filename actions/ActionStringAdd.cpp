#include "actions/OperatorActions.h"

namespace orvane {

namespace {
constexpr OperatorAction::Texts kTexts{4, " ActionStringAdd\n", "&", "add", OperatorAction::Parentheses::Never};
}  // namespace

ActionStringAdd::ActionStringAdd(const std::uint8_t* data, std::uint32_t size) : OperatorAction(0x21, data, size, kTexts) {}

}  // namespace orvane
