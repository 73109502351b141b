#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionAsciiToChar\n", UnaryAction::Form::Expression, {" Chr(", ")"},
                                    {" chr (", ")"}};
}  // namespace

ActionAsciiToChar::ActionAsciiToChar(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x33, data, size, kTexts) {}

}  // namespace orvane
