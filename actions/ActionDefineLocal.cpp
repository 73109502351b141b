#include "actions/VariableActions.h"

namespace orvane {

ActionDefineLocal::ActionDefineLocal(const std::uint8_t* data, std::uint32_t size)
    : DiscardAction(0x3C, data, size, " ActionDefineLocal\n", 2) {}

}  // namespace orvane
