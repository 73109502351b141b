#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{5, " ActionToString\n", UnaryAction::Form::Expression, {nullptr, nullptr},
                                    {"", ".toString()"}};
}  // namespace

ActionToString::ActionToString(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x4B, data, size, kTexts) {}

}  // namespace orvane
