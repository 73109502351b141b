#include "actions/ClassActions.h"

namespace orvane {

namespace {
constexpr PairAction::Texts kTexts{7, " ActionCastOp\n", PairAction::Form::Expression, "(", ")"};
}  // namespace

ActionCastOp::ActionCastOp(const std::uint8_t* data, std::uint32_t size) : PairAction(0x2B, data, size, kTexts) {}

}  // namespace orvane
