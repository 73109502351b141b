#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionMBCharToAscii\n", UnaryAction::Form::Expression, {" MBOrd(", ")"},
                                    {" mbord(", ")"}};
}  // namespace

ActionMBCharToAscii::ActionMBCharToAscii(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x36, data, size, kTexts) {}

}  // namespace orvane
