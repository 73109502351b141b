#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{5, " ActionToNumber\n", UnaryAction::Form::Expression, {nullptr, nullptr},
                                    {"", ".toNumber()"}};
}  // namespace

ActionToNumber::ActionToNumber(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x4A, data, size, kTexts) {}

}  // namespace orvane
