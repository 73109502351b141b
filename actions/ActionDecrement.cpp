#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{5, " ActionDecrement\n", UnaryAction::Form::Expression, {nullptr, nullptr},
                                    {"", " - 1"}};
}  // namespace

ActionDecrement::ActionDecrement(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x51, data, size, kTexts) {}

}  // namespace orvane
