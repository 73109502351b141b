#include "actions/VariableActions.h"

namespace orvane {

ActionDelete::ActionDelete(const std::uint8_t* data, std::uint32_t size)
    : DiscardAction(0x3A, data, size, " ActionDelete\n", 2) {}

}  // namespace orvane
