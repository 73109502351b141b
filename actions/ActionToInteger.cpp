#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionToInteger\n", UnaryAction::Form::Expression, {" Int(", ")"},
                                    {" int(", ")"}};
}  // namespace

ActionToInteger::ActionToInteger(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x18, data, size, kTexts) {}

}  // namespace orvane
