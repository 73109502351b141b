#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionCharToAscii\n", UnaryAction::Form::Expression, {" Ord(", ")"},
                                    {" ord(", ")"}};
}  // namespace

ActionCharToAscii::ActionCharToAscii(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x32, data, size, kTexts) {}

}  // namespace orvane
