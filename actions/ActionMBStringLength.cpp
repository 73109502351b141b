#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionMBStringLength\n", UnaryAction::Form::Expression, {"MBStringLength (", ")"},
                                    {"mbstringlength (", ")"}};
}  // namespace

ActionMBStringLength::ActionMBStringLength(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x31, data, size, kTexts) {}

}  // namespace orvane
