#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{5, " ActionIncrement\n", UnaryAction::Form::Expression, {nullptr, nullptr},
                                    {"", " + 1"}};
}  // namespace

ActionIncrement::ActionIncrement(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x50, data, size, kTexts) {}

}  // namespace orvane
