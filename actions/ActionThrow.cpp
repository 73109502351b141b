#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{7, " ActionThrow\n", UnaryAction::Form::Statement, {nullptr, nullptr},
                                    {"throw ", ";"}};
}  // namespace

ActionThrow::ActionThrow(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x2A, data, size, kTexts) {}

}  // namespace orvane
