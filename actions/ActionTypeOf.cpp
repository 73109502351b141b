#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{5, " ActionTypeOf\n", UnaryAction::Form::Expression, {nullptr, nullptr},
                                    {"", ".valueOf()"}};
}  // namespace

ActionTypeOf::ActionTypeOf(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x44, data, size, kTexts) {}

}  // namespace orvane
