#include "actions/VariableActions.h"

namespace orvane {

ActionEnumerate2::ActionEnumerate2(const std::uint8_t* data, std::uint32_t size)
    : DiscardAction(0x55, data, size, " ActionEnumerate2\n", 1, 6) {}

}  // namespace orvane
