#include "actions/ClassActions.h"

namespace orvane {

namespace {
constexpr PairAction::Texts kTexts{7, " ActionExtends\n", PairAction::Form::Statement, " extends ", ";"};
}  // namespace

ActionExtends::ActionExtends(const std::uint8_t* data, std::uint32_t size) : PairAction(0x69, data, size, kTexts) {}

}  // namespace orvane
