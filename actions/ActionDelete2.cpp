#include "actions/VariableActions.h"

namespace orvane {

ActionDelete2::ActionDelete2(const std::uint8_t* data, std::uint32_t size)
    : DiscardAction(0x3B, data, size, " ActionDelete2\n", 1) {}

}  // namespace orvane
