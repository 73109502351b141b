#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionNot\n", UnaryAction::Form::Expression, {" Not(", ")"},
                                    {" not (", ")"}};
}  // namespace

ActionNot::ActionNot(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x12, data, size, kTexts) {}

}  // namespace orvane
