#include "actions/VariableActions.h"

namespace orvane {

ActionEnumerate::ActionEnumerate(const std::uint8_t* data, std::uint32_t size)
    : DiscardAction(0x46, data, size, " ActionEnumerate\n", 1) {}

}  // namespace orvane
