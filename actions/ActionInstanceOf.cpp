#include "actions/ClassActions.h"

namespace orvane {

namespace {
constexpr PairAction::Texts kTexts{6, " ActionInstanceOf\n", PairAction::Form::Expression, " instanceof ", ""};
}  // namespace

ActionInstanceOf::ActionInstanceOf(const std::uint8_t* data, std::uint32_t size) : PairAction(0x54, data, size, kTexts) {}

}  // namespace orvane
