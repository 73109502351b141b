#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionTrace\n", UnaryAction::Form::Statement, {"TRACE(", ");"},
                                    {"TRACE(", ");"}};
}  // namespace

ActionTrace::ActionTrace(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x26, data, size, kTexts) {}

}  // namespace orvane
