#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionStringLength\n", UnaryAction::Form::Expression, {"StringLength (", ")"},
                                    {"stringlength (", ")"}};
}  // namespace

ActionStringLength::ActionStringLength(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x14, data, size, kTexts) {}

}  // namespace orvane
