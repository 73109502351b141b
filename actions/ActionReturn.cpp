#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{5, " ActionReturn\n", UnaryAction::Form::Statement, {nullptr, nullptr},
                                    {"return (", ")"}};
}  // namespace

ActionReturn::ActionReturn(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x3E, data, size, kTexts) {}

}  // namespace orvane
