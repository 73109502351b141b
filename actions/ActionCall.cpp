#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionCall\n", UnaryAction::Form::Statement, {" Call(", ")"},
                                    {" call (", ")"}};
}  // namespace

ActionCall::ActionCall(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x9E, data, size, kTexts) {}

}  // namespace orvane
