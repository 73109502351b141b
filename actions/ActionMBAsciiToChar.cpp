#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionMBAsciiToChar\n", UnaryAction::Form::Expression, {" MBChr(", ")"},
                                    {" mbchr (", ")"}};
}  // namespace

ActionMBAsciiToChar::ActionMBAsciiToChar(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x37, data, size, kTexts) {}

}  // namespace orvane
