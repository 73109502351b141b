#include "actions/VariableActions.h"

namespace orvane {

ActionDefineLocal2::ActionDefineLocal2(const std::uint8_t* data, std::uint32_t size)
    : DiscardAction(0x41, data, size, " ActionDefineLocal2\n", 1) {}

}  // namespace orvane
